// Calls a stdcall function the way program code may: with the stack only 4-byte aligned. At the
// function's entry the stack pointer is a multiple of 16 (the i386 ABI's compilers assume it is
// 12 modulo 16), so code that relies on a 16-byte-aligned stack faults or misbehaves.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

extern "C" uint32_t kxCallMisalignedStack(const void* function, const uint32_t* args, uint32_t count);

asm(R"(
    .text
    .weak kxCallMisalignedStack
    .type kxCallMisalignedStack, @function
kxCallMisalignedStack:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    leal (,%ecx,4), %edx
    movl %esp, %edi
    subl %edx, %edi
    subl $64, %edi
    andl $-16, %edi
    addl $4, %edi
    movl %edi, %esp
    xorl %ebx, %ebx
1:  cmpl %ecx, %ebx
    jae 2f
    movl (%esi,%ebx,4), %eax
    movl %eax, (%esp,%ebx,4)
    incl %ebx
    jmp 1b
2:  call *8(%ebp)
    leal -12(%ebp), %esp
    popl %ebx
    popl %edi
    popl %esi
    popl %ebp
    ret
    .size kxCallMisalignedStack, .-kxCallMisalignedStack
)");

// The result of function(args...) called from a stack that is only 4-byte aligned.
template<typename F>
uint32_t kxCallMisaligned(F* function, std::initializer_list<uint32_t> args)
{
    std::vector<uint32_t> a(args);
    return kxCallMisalignedStack(reinterpret_cast<const void*>(function), a.data(), uint32_t(a.size()));
}

template<typename T>
uint32_t kxArg(T* pointer) { return uint32_t(reinterpret_cast<uintptr_t>(pointer)); }
