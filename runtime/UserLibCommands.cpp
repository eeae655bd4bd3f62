// The program's routes to external libraries: binding its library table, and CallDLL.
#include "runtime/UserLibCommands.h"

#include "core/KXBank.h"
#include "core/KXPath.h"
#include "core/KXString.h"
#include "base/KXCommandTable.h"
#include "runtime/KXDllCache.h"
#include "runtime/KXUserLibs.h"

#include <cstdint>

namespace {
// Calls fn with four 32-bit arguments on a 16-byte aligned stack and puts the stack pointer
// back afterwards, so a callee that removes its arguments and one that leaves them both work.
// Only the integer result register is read.
int callWithFour(void* fn, const int32_t args[4])
{
    int result;
    asm volatile(
        "movl %%esp, %%edi\n\t"
        "andl $-16, %%esp\n\t"
        "pushl 12(%%esi)\n\t"
        "pushl 8(%%esi)\n\t"
        "pushl 4(%%esi)\n\t"
        "pushl (%%esi)\n\t"
        "call *%%ebx\n\t"
        "movl %%edi, %%esp\n\t"
        : "=a"(result)
        : "b"(fn), "S"(args)
        : "ecx", "edx", "edi", "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7");
    return result;
}

// A bank argument as the callee sees it: its data address and size; nothing for bank 0.
void lend(int handle, int32_t& address, int32_t& size)
{
    address = size = 0;
    if (!handle)
        return;
    KXBank* bank = KXBank::fromHandle(handle);
    address = int32_t(reinterpret_cast<uintptr_t>(bank->data()));
    size = bank->size();
}
}

KX_STDCALL void kxLoadLibs(const void* table) { KXUserLibs::instance().bind(static_cast<const char*>(table)); }

KX_STDCALL int CallDLL(KXString* dllName, KXString* funcName, int inBank, int outBank)
{
    int32_t args[4];
    lend(inBank, args[0], args[1]);
    lend(outBank, args[2], args[3]);
    void* fn = KXDllCache::instance().function(std::string(kxStringView(dllName)), std::string(kxStringView(funcName)));
    if (!fn)
        return -1;
    return callWithFour(fn, args);
}

namespace {
const KXCommandEntry s_commands[] = {
    { "_kxLoadLibs", KX_FN(kxLoadLibs) },
    { "%CallDLL$dll_name$func_name%in_bank=0%out_bank=0", KX_FN(CallDLL) },
};
KXCommandTable s_table(s_commands);
}
