/* int zv_p2k_invoke(const void* fn, unsigned argc, const uint32_t* argv)   (__cdecl)
 *
 * Calls fn with argc 4-byte arguments, argv[0] first, pushed right to left as both __stdcall
 * and __cdecl expect them. The stack pointer is kept in ESI, which both conventions preserve,
 * and restored after the call: whether fn popped its arguments (__stdcall) or left them
 * (__cdecl), the caller's stack comes back exactly as it was. The outgoing arguments start on a
 * 16-byte boundary, which suits a callee built to assume either 4- or 16-byte alignment.
 * EAX (the result) passes through; EBX, ESI, EDI and EBP are preserved for our caller. */
        .text
        .globl  _zv_p2k_invoke
        .def    _zv_p2k_invoke; .scl 2; .type 32; .endef
_zv_p2k_invoke:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %esi
        pushl   %edi
        pushl   %ebx
        movl    %esp, %esi          /* the stack pointer to come back to */
        movl    12(%ebp), %ecx      /* argc */
        movl    16(%ebp), %edx      /* argv */
        movl    %ecx, %edi
        shll    $2, %edi            /* bytes of arguments */
        subl    %edi, %esp
        andl    $-16, %esp          /* arguments begin 16-byte aligned */
        xorl    %ebx, %ebx
1:      cmpl    %ecx, %ebx
        jae     2f
        movl    (%edx,%ebx,4), %eax
        movl    %eax, (%esp,%ebx,4)
        incl    %ebx
        jmp     1b
2:      movl    8(%ebp), %eax
        call    *%eax
        movl    %esi, %esp          /* whoever popped the arguments, the frame is ours again */
        popl    %ebx
        popl    %edi
        popl    %esi
        popl    %ebp
        ret
