// Test object for kximage: the main routine and functions the tests call after linking. Refers
// to lib_unit.cpp's globals, to a runtime command, to local functions and data, and shares an
// inline variable and an inline function with lib_unit.cpp.
#include "trova.h"

extern "C" int lib_add(int a, int b);
extern "C" int lib_counter;
extern "C" int lib_zeros[64];

inline int shared_inline_value = 7;
inline __attribute__((noinline)) int shared_twice(int x) { return x * 2 + shared_inline_value; }

static __attribute__((noinline)) int local_triple(int x) { return x * 3; }
static const char message[] = "linked";
int (*const operations[])(int, int) = { lib_add };

extern "C" void kx_main() KX_LINK("__MAIN");
extern "C" void kx_main() { End(); }

// 10 -> lib_add(10, 5) + 30 + (20 + 7) + 'n' + 0 = 182.
extern "C" int test_compute(int x)
{
    return operations[0](x, lib_counter) + local_triple(x) + shared_twice(x) + message[x & 3] + lib_zeros[x];
}

extern "C" int test_millisecs() { return MilliSecs(); }

extern "C" const char* test_message() { return message; }
