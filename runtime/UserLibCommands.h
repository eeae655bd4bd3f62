// The library-binding helper and CallDLL, for the runtime's own callers and tests.
#pragma once

#include "base/KXCallConv.h"

class KXString;

// _kxLoadLibs: binds the program's library table (see KXUserLibs).
KX_STDCALL void kxLoadLibs(const void* table);
// Calls func_name of dll_name with the data address and size of each bank; -1 when the library
// or the function cannot be found.
KX_STDCALL int CallDLL(KXString* dllName, KXString* funcName, int inBank, int outBank);
