// The bank commands, for the runtime's own callers and tests (programs reach them by link name).
#pragma once

#include "base/KXCallConv.h"

KX_STDCALL int CreateBank(int size);
KX_STDCALL void FreeBank(int bank);
KX_STDCALL int BankSize(int bank);
KX_STDCALL void ResizeBank(int bank, int size);
KX_STDCALL void CopyBank(int srcBank, int srcOffset, int destBank, int destOffset, int count);
KX_STDCALL int PeekByte(int bank, int offset);
KX_STDCALL int PeekShort(int bank, int offset);
KX_STDCALL int PeekInt(int bank, int offset);
KX_STDCALL float PeekFloat(int bank, int offset);
KX_STDCALL void PokeByte(int bank, int offset, int value);
KX_STDCALL void PokeShort(int bank, int offset, int value);
KX_STDCALL void PokeInt(int bank, int offset, int value);
KX_STDCALL void PokeFloat(int bank, int offset, float value);
KX_STDCALL int ReadBytes(int bank, int stream, int offset, int count);
KX_STDCALL int WriteBytes(int bank, int stream, int offset, int count);
