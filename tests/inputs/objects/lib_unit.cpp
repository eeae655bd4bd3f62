// Test object for kximage: globals that main_unit.cpp refers to.
#include "trova.h"

inline int shared_inline_value = 7;
inline __attribute__((noinline)) int shared_twice(int x) { return x * 2 + shared_inline_value; }

extern "C" {
int lib_counter = 5;
int lib_zeros[64] = {};
}

extern "C" int lib_add(int a, int b) { return a + b; }

extern "C" int lib_twice(int x) { return shared_twice(x); }
