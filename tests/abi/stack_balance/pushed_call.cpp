#include "pushed_call.h"

#if !defined(__i386__)
#error "pushed_call.cpp is the x86 caller's side of a call; it has no meaning elsewhere"
#endif

// ebx, esi, edi and ebp survive a call in both conventions; eax carries the
// result through. 64 spare bytes below the saved registers keep them out of
// reach of a callee that removes more than was pushed.
asm(R"(
    .text
    .globl _QlCallWithPushedWords
_QlCallWithPushedWords:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    subl $64, %esp
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  movl %esp, %ebx
    call *8(%ebp)
    movl %esp, %ecx
    subl %ebx, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");
