// The i386 stack switch.
#include "gui/KXStackSwitch.h"

#include <cstdint>

#if !defined(__i386__)
#    error "KXStackSwitch is written for i386"
#endif

extern "C" {
void kxSwitchStack(void** save, void* target);
void kxStackStart();
}

// kxSwitchStack(save, target): pushes ebp, ebx, esi, edi, stores esp in *save, loads target as
// esp and pops the same registers of the other side. kxStackStart runs a prepared stack's
// entry (held in ebx) on a 16-byte aligned stack.
asm(R"(
    .text
    .globl kxSwitchStack
    .type kxSwitchStack, @function
kxSwitchStack:
    movl 4(%esp), %eax
    movl 8(%esp), %edx
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl %esp, (%eax)
    movl %edx, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
    .size kxSwitchStack, .-kxSwitchStack

    .globl kxStackStart
    .type kxStackStart, @function
kxStackStart:
    andl $-16, %esp
    call *%ebx
    ud2
    .size kxStackStart, .-kxStackStart
)");

void* KXStackSwitch::prepare(char* base, size_t size, void (*entry)())
{
    uintptr_t top = (reinterpret_cast<uintptr_t>(base) + size) & ~uintptr_t(15);
    auto* frame = reinterpret_cast<uintptr_t*>(top - 64);
    frame[0] = 0; // edi
    frame[1] = 0; // esi
    frame[2] = reinterpret_cast<uintptr_t>(entry); // ebx
    frame[3] = 0; // ebp
    frame[4] = reinterpret_cast<uintptr_t>(&kxStackStart); // return address
    return frame;
}

void KXStackSwitch::switchTo(void** save, void* target) { kxSwitchStack(save, target); }
