// What the compiler expects of a freestanding program's environment, built into every program.
// Weak, so that a program may bring its own.
#include "trova.h"

#define KX_WEAK extern "C" __attribute__((weak, optimize("no-tree-loop-distribute-patterns")))

KX_WEAK void* memcpy(void* dest, const void* src, unsigned n)
{
    auto* d = static_cast<unsigned char*>(dest);
    auto* s = static_cast<const unsigned char*>(src);
    while (n--)
        *d++ = *s++;
    return dest;
}

KX_WEAK void* memmove(void* dest, const void* src, unsigned n)
{
    auto* d = static_cast<unsigned char*>(dest);
    auto* s = static_cast<const unsigned char*>(src);
    if (d < s) {
        while (n--)
            *d++ = *s++;
    } else {
        while (n--)
            d[n] = s[n];
    }
    return dest;
}

KX_WEAK void* memset(void* dest, int c, unsigned n)
{
    auto* d = static_cast<unsigned char*>(dest);
    while (n--)
        *d++ = static_cast<unsigned char>(c);
    return dest;
}

KX_WEAK int memcmp(const void* a, const void* b, unsigned n)
{
    auto* x = static_cast<const unsigned char*>(a);
    auto* y = static_cast<const unsigned char*>(b);
    for (; n; --n, ++x, ++y)
        if (*x != *y)
            return *x < *y ? -1 : 1;
    return 0;
}

// Abstract classes and virtual destructors refer to these; programs have no heap, so they are
// never reached in a correct program.
KX_WEAK void __cxa_pure_virtual() { __builtin_trap(); }
__attribute__((weak)) void operator delete(void*) noexcept { __builtin_trap(); }
__attribute__((weak)) void operator delete(void*, unsigned) noexcept { __builtin_trap(); }
