// Calling-convention helpers shared by every entry point program code can reach.
#pragma once

// Commands, helpers and the functions program images bind are 32-bit stdcall: arguments pushed
// right to left, removed by the callee.
#define KX_STDCALL __attribute__((stdcall))

// Takes the address of a command or helper for the registry.
#define KX_FN(f) reinterpret_cast<void*>(&(f))

#ifndef NDEBUG
#    include <cstdio>
#    include <cstdlib>
#    define KX_ASSERT(cond)                                                                   \
        do {                                                                                  \
            if (!(cond)) {                                                                    \
                std::fprintf(stderr, "%s:%d: assertion failed: %s\n", __FILE__, __LINE__, #cond); \
                std::abort();                                                                 \
            }                                                                                 \
        } while (0)
#else
#    define KX_ASSERT(cond) ((void)0)
#endif
