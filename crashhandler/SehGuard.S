# guardedCall(fn, arg): calls fn(arg) under a frame-based exception handler and returns 1, or 0
# when an exception raised inside fn reached this frame (handlers of inner frames come first,
# as for __try/__except). The handler resumes at guardRecover with rsp at this frame, so the
# epilogue puts back every non-volatile register the prologue saved.
    .text
    .globl guardedCall
    .globl guardRecover
    .def guardedCall; .scl 2; .type 32; .endef
    .seh_proc guardedCall
guardedCall:
    push %rbx
    .seh_pushreg %rbx
    push %rbp
    .seh_pushreg %rbp
    push %rsi
    .seh_pushreg %rsi
    push %rdi
    .seh_pushreg %rdi
    push %r12
    .seh_pushreg %r12
    push %r13
    .seh_pushreg %r13
    push %r14
    .seh_pushreg %r14
    push %r15
    .seh_pushreg %r15
    sub $200, %rsp
    .seh_stackalloc 200
    movaps %xmm6, 32(%rsp)
    .seh_savexmm %xmm6, 32
    movaps %xmm7, 48(%rsp)
    .seh_savexmm %xmm7, 48
    movaps %xmm8, 64(%rsp)
    .seh_savexmm %xmm8, 64
    movaps %xmm9, 80(%rsp)
    .seh_savexmm %xmm9, 80
    movaps %xmm10, 96(%rsp)
    .seh_savexmm %xmm10, 96
    movaps %xmm11, 112(%rsp)
    .seh_savexmm %xmm11, 112
    movaps %xmm12, 128(%rsp)
    .seh_savexmm %xmm12, 128
    movaps %xmm13, 144(%rsp)
    .seh_savexmm %xmm13, 144
    movaps %xmm14, 160(%rsp)
    .seh_savexmm %xmm14, 160
    movaps %xmm15, 176(%rsp)
    .seh_savexmm %xmm15, 176
    .seh_endprologue
    mov %rcx, %rax
    mov %rdx, %rcx
    call *%rax
    mov $1, %eax
guardRecover:
    movaps 32(%rsp), %xmm6
    movaps 48(%rsp), %xmm7
    movaps 64(%rsp), %xmm8
    movaps 80(%rsp), %xmm9
    movaps 96(%rsp), %xmm10
    movaps 112(%rsp), %xmm11
    movaps 128(%rsp), %xmm12
    movaps 144(%rsp), %xmm13
    movaps 160(%rsp), %xmm14
    movaps 176(%rsp), %xmm15
    add $200, %rsp
    pop %r15
    pop %r14
    pop %r13
    pop %r12
    pop %rdi
    pop %rsi
    pop %rbp
    pop %rbx
    ret
    .seh_handler guardHandler, @except
    .seh_endproc
