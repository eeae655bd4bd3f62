// The string helpers compiled code calls (registered as "_kxStrTmp" ... "_kxStrFromCStr" and
// "_kxInitCStrs"), and the unset-variable value.
//
// A "temporary" result has been pushed on the temporary-string stack, which owns its one
// reference; compiled code releases it with kxStrTmpFree at the end of the statement.
#pragma once

#include "base/KXCallConv.h"

class KXString;

// Pushes s on the temporary stack (taking over the caller's reference) and returns it.
KX_STDCALL KXString* kxStrTmp(KXString* s);
// Pops and releases n temporaries; more than the stack holds raises "Illegal TmpStr index".
KX_STDCALL void kxStrTmpFree(int n);
// kxStrTmpFree(n), then result unchanged.
KX_STDCALL int kxIStrTmpFree(int result, int n);
KX_STDCALL float kxFStrTmpFree(float result, int n);

// Adds a reference to s and returns it.
KX_STDCALL KXString* kxStrRetain(KXString* s);
// Releases s unless it is null; returns the argument.
KX_STDCALL KXString* kxStrRelease(KXString* s);
// The string a variable holds, or the unset-variable value when it holds null. No reference
// is added.
KX_STDCALL KXString* kxStrLoad(KXString** var);
// Stores s in the variable: a reference to s is taken, the old value released. Returns s.
KX_STDCALL KXString* kxStrStore(KXString** var, KXString* s);

// a followed by b, temporary. Two empty strings give the shared empty string.
KX_STDCALL KXString* kxStrConcat(KXString* a, KXString* b);
// Negative, 0 or positive as a sorts before, equal to or after b: bytes compare unsigned, then
// the shorter string sorts first.
KX_STDCALL int kxStrCompare(KXString* a, KXString* b);

KX_STDCALL int kxStrToInt(KXString* s);
// Decimal text of n, temporary.
KX_STDCALL KXString* kxStrFromInt(int n);
KX_STDCALL float kxStrToFloat(KXString* s);
// Float text of f, temporary.
KX_STDCALL KXString* kxStrFromFloat(float f);
// The string's own zero-ended bytes (not a copy), valid while the string lives.
KX_STDCALL const char* kxStrToCStr(KXString* s);
// A string copying zero-ended text, temporary.
KX_STDCALL KXString* kxStrFromCStr(const char* text);

// Start-up of a program's strings: empties the temporary stack and frees its storage, takes a
// reference to the shared empty string as the unset-variable value and fills every
// string-constant slot of the table. The table is a list of pointers ended by a null pointer;
// each points at a 4-byte slot followed by the constant's zero-ended text. An empty text gets
// the shared empty string; any other text a new string that is never released.
KX_STDCALL void kxInitCStrs(void* const* table);

// The value unset string variables read as (borrowed): the shared empty string.
KXString* kxStrUnset();
