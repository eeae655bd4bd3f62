// KXStackSwitch: the bare switch between the program's stack and the message loop's stack.
// Only the callee-saved registers and the stack pointer change hands (no signal mask, no
// floating-point environment), which makes a switch a handful of instructions.
#pragma once

#include <cstddef>

class KXStackSwitch {
public:
    // Prepares a fresh stack [base, base + size) so that the first switch to the returned stack
    // pointer calls entry, which must never return.
    static void* prepare(char* base, size_t size, void (*entry)());
    // Saves the current stack pointer in *save and continues on the stack saved in target.
    // Returns when some later switch targets *save.
    static void switchTo(void** save, void* target);
};
