// The i386 stack switch.
#include "gui/KXStackSwitch.h"

#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#    include <sanitizer/common_interface_defs.h>
#    include <vector>
#endif

#if !defined(__i386__)
#    error "KXStackSwitch is written for i386"
#endif

extern "C" {
void kxSwitchStack(void** save, void* target);
void kxStackStart();
}

// kxSwitchStack(save, target): pushes ebp, ebx, esi, edi, stores esp in *save, loads target as
// esp and pops the same registers of the other side. kxStackStart calls the function held in
// ebx with the argument held in esi on a 16-byte aligned stack.
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
    subl $12, %esp
    pushl %esi
    call *%ebx
    ud2
    .size kxStackStart, .-kxStackStart
)");

namespace {
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer must know which stack runs, or it takes the other stack's frames for
// overflows and cannot unpoison a stack that an exception unwinds. Each stack is a region with
// the sanitizer's saved state for it; the program's stack is learnt at the first switch.
struct StackRegion {
    const char* bottom;
    size_t size;
    void* fakeStack;
};
std::vector<StackRegion>& regions()
{
    static std::vector<StackRegion> list { { nullptr, 0, nullptr } }; // [0]: the program's stack
    return list;
}
size_t s_running = 0; // index of the region that runs

size_t regionOf(const void* sp)
{
    auto& list = regions();
    for (size_t i = 1; i < list.size(); ++i)
        if (sp >= list[i].bottom && sp < list[i].bottom + list[i].size)
            return i;
    return 0;
}
#endif

// The first code a prepared stack runs: tells the sanitizer where it came from, then runs the
// entry.
void stackEntry(void (*entry)())
{
#if defined(__SANITIZE_ADDRESS__)
    const void* bottom;
    size_t size;
    __sanitizer_finish_switch_fiber(nullptr, &bottom, &size);
    StackRegion& program = regions()[0];
    if (!program.bottom) {
        program.bottom = static_cast<const char*>(bottom);
        program.size = size;
    }
#endif
    entry();
}
}

void* KXStackSwitch::prepare(char* base, size_t size, void (*entry)())
{
    uintptr_t top = (reinterpret_cast<uintptr_t>(base) + size) & ~uintptr_t(15);
    auto* frame = reinterpret_cast<uintptr_t*>(top - 64);
    frame[0] = 0; // edi
    frame[1] = reinterpret_cast<uintptr_t>(entry); // esi: the argument of stackEntry
    frame[2] = reinterpret_cast<uintptr_t>(&stackEntry); // ebx
    frame[3] = 0; // ebp
    frame[4] = reinterpret_cast<uintptr_t>(&kxStackStart); // return address
#if defined(__SANITIZE_ADDRESS__)
    regions().push_back({ base, size, nullptr });
#endif
    return frame;
}

void KXStackSwitch::switchTo(void** save, void* target)
{
#if defined(__SANITIZE_ADDRESS__)
    const size_t from = s_running, to = regionOf(target);
    const StackRegion& next = regions()[to];
    __sanitizer_start_switch_fiber(&regions()[from].fakeStack, next.bottom, next.size);
    s_running = to;
    kxSwitchStack(save, target);
    // Back on this stack.
    __sanitizer_finish_switch_fiber(regions()[from].fakeStack, nullptr, nullptr);
    s_running = from;
#else
    kxSwitchStack(save, target);
#endif
}
