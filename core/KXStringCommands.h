// The string commands of the language. Strings are borrowed (null reads as empty); string
// results carry one reference. Positions count from 1; out-of-range counts and positions clamp
// and never fail.
#pragma once

#include "base/KXCallConv.h"

class KXString;

KX_STDCALL KXString* String(KXString* string, int repeat);
KX_STDCALL KXString* Left(KXString* string, int count);
KX_STDCALL KXString* Right(KXString* string, int count);
KX_STDCALL KXString* Mid(KXString* string, int start, int count);
KX_STDCALL int Instr(KXString* string, KXString* find, int from);
KX_STDCALL KXString* Replace(KXString* string, KXString* from, KXString* to);
KX_STDCALL KXString* Upper(KXString* string);
KX_STDCALL KXString* Lower(KXString* string);
KX_STDCALL KXString* Trim(KXString* string);
KX_STDCALL KXString* LSet(KXString* string, int size);
KX_STDCALL KXString* RSet(KXString* string, int size);
KX_STDCALL KXString* Chr(int ascii);
KX_STDCALL int Asc(KXString* string);
KX_STDCALL int Len(KXString* string);
KX_STDCALL KXString* Hex(int value);
KX_STDCALL KXString* Bin(int value);
