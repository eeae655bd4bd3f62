// The stream commands, for the runtime's own callers and tests (programs reach them by link
// name).
#pragma once

#include "base/KXCallConv.h"

class KXString;

KX_STDCALL int Eof(int stream);
KX_STDCALL int ReadAvail(int stream);
KX_STDCALL int ReadByte(int stream);
KX_STDCALL int ReadShort(int stream);
KX_STDCALL int ReadInt(int stream);
KX_STDCALL float ReadFloat(int stream);
KX_STDCALL KXString* ReadString(int stream);
KX_STDCALL KXString* ReadLine(int stream);
KX_STDCALL void WriteByte(int stream, int value);
KX_STDCALL void WriteShort(int stream, int value);
KX_STDCALL void WriteInt(int stream, int value);
KX_STDCALL void WriteFloat(int stream, float value);
KX_STDCALL void WriteString(int stream, KXString* text);
KX_STDCALL void WriteLine(int stream, KXString* text);
KX_STDCALL void CopyStream(int srcStream, int destStream, int bufferSize);
