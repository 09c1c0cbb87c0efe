/* SPDX-License-Identifier: MIT OR GPL-2.0 */
/*
 * The parts of an L2CR change that must not touch memory, after the
 * kernel's _set_L2CR. The C side (korvendale_switch.c) decides the steps and
 * calls these with interrupts already off:
 *
 *   korv_l2_write_l2cr(word)        one L2CR write
 *   korv_l2_write_hid0(word)        one HID0 write
 *   korv_l2_flush_read_disable(off, bytes)
 *        750: read `bytes` of physical memory from 0 and dcbf them, so that
 *        the L1 and L2 hold no modified line, then write `off` (L2E clear);
 *        returns L2CR
 *   korv_l2_flush_hw_disable(old, off, l1_bytes, ticks)
 *        7400/7410: dssall; displace the L1 data cache by reading `l1_bytes`
 *        of physical memory into it, lock it (HID0[DLOCK]) so that nothing
 *        more is cast out into the L2, let the L2 write back its modified
 *        lines (L2HWF) for at most `ticks` of the time base, then write `off`;
 *        if L2HWF is still set, write `old` instead (the cache stays as it
 *        was), and unlock the L1; returns the last L2CR read (L2HWF set means
 *        the flush timed out)
 *
 * Each register write sits in cache lines that a chain of branches fetches
 * before the first write runs (the processors' erratum the kernel works
 * around), so no instruction fetch reaches the bus while the L2 changes state.
 * The flushes run with MSR[EE] and MSR[DR] off: no interrupt, and no data TLB
 * miss whose hash-table search or hash_page would store to memory. From the
 * end of a flush to the disabling write there is no store and no call. All of
 * this lies in one page, so the one instruction TLB entry loaded on entry
 * serves the whole routine.
 */
#include <asm/ppc_asm.h>
#include <asm/ppc-opcode.h>
#include <asm/reg.h>

#define KORV_L2HWF 0x0800 /* L2CR[L2HWF], bit 20 on the 7400 and 7410 */

	.section ".text.korv_l2","ax",@progbits
	.balign	4096

.macro	korv_routine name
	.balign	16
	.globl	\name
	.type	\name,@function
\name:
.endm

.macro	korv_end name
	.size	\name,.-\name
	_ASM_NOKPROBE_SYMBOL(\name)
.endm

/* Interrupts and data translation off; the old MSR is kept in r7. */
.macro	korv_real_data
	mfmsr	r7
	rlwinm	r8,r7,0,~MSR_EE
	rlwinm	r8,r8,0,~MSR_DR
	sync
	mtmsr	r8
	isync
.endm

korv_routine korv_l2_write_l2cr
	b	2f
	.balign	32
1:	sync
	mtspr	SPRN_L2CR,r3
	sync
	isync
	b	3f
2:	b	1b
3:	blr
korv_end korv_l2_write_l2cr

korv_routine korv_l2_write_hid0
	b	2f
	.balign	32
1:	sync
	mtspr	SPRN_HID0,r3
	sync
	isync
	b	3f
2:	b	1b
3:	blr
korv_end korv_l2_write_hid0

korv_routine korv_l2_flush_read_disable
	korv_real_data
	srwi	r5,r4,5
	mtctr	r5
	li	r6,0
korv_flush_read:
1:	lwz	r0,0(r6)
	addi	r6,r6,32
	bdnz	1b
	isync
	mtctr	r5
	li	r6,0
	sync
2:	dcbf	0,r6
	addi	r6,r6,32
	bdnz	2b
	sync
korv_window_read:
	b	4f
	.balign	32
3:	sync
	mtspr	SPRN_L2CR,r3
	sync
	isync
	b	5f
4:	b	3b
5:	mfspr	r3,SPRN_L2CR
	sync
	mtmsr	r7
	isync
	blr
korv_end korv_l2_flush_read_disable

korv_routine korv_l2_flush_hw_disable
	korv_real_data
	PPC_DSSALL
	sync
	mfspr	r9,SPRN_HID0
	ori	r10,r9,HID0_DLOCK
	ori	r11,r3,KORV_L2HWF
	srwi	r0,r5,5
	mtctr	r0
	li	r12,0
korv_flush_hw:
1:	lwz	r0,0(r12)
	addi	r12,r12,32
	bdnz	1b
	sync
	b	33f
	/* Four lines, fetched from the last back to the first before any runs. */
	.balign	32
10:	sync
	mtspr	SPRN_HID0,r10		/* lock the L1 data cache */
	sync
	isync
	mtspr	SPRN_L2CR,r11		/* start the hardware flush */
	sync
	mftb	r12
11:	mfspr	r5,SPRN_L2CR
	.balign	32
	andi.	r0,r5,KORV_L2HWF
	beq	korv_window_hw
	mftb	r0
	subf	r0,r12,r0
	cmplw	r0,r6
	blt	11b
	b	korv_window_hw
31:	b	10b
	.balign	32
korv_window_hw:
	/* Read again: a time-out may have come late. */
	mfspr	r5,SPRN_L2CR
	/* r8 = L2HWF still set ? old : off, without a branch */
	rlwinm	r0,r5,21,31,31
	neg	r0,r0
	and	r8,r3,r0
	andc	r0,r4,r0
	or	r8,r8,r0
	b	20f
32:	b	31b
	.balign	32
20:	sync
	mtspr	SPRN_L2CR,r8		/* disable, or leave as it was */
	sync
	mtspr	SPRN_HID0,r9		/* unlock the L1 data cache */
	sync
	isync
	b	21f
33:	b	32b
21:	mr	r3,r5
	sync
	mtmsr	r7
	isync
	blr
korv_end korv_l2_flush_hw_disable
