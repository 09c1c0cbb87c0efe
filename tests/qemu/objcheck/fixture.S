# The L2 switch's shape in miniature, for objcheck's test: as written it keeps
# every rule; each BREAK_* symbol (as --defsym) breaks one.
	.text
.ifdef BREAK_ALIGN
	.balign	16
.else
	.balign	4096
.endif

# 750: read-through flush with translation and interrupts off, then disable.
	.globl	korv_l2_g3
	.type	korv_l2_g3,@function
korv_l2_g3:
	mfmsr	r7
	rlwinm	r4,r7,0,17,15
.ifndef BREAK_MSR
	rlwinm	r4,r4,0,28,26
.endif
	sync
	mtmsr	r4
	isync
	li	r4,0
	mtctr	r5
korv_flush_g3:
	lwzx	r0,0,r4
	addi	r4,r4,32
	bdnz	korv_flush_g3
.ifndef BREAK_LABEL
korv_window_g3:
.endif
.ifdef BREAK_STORE
	stw	r0,0(r4)
.endif
.ifdef BREAK_CALL
	bl	korv_l2_g4
.endif
.ifdef BREAK_ENTRY
	nop
.else
	b	2f
.endif
	.balign	32
1:	sync
	mtspr	1017,r3
	sync
	b	3f
2:	sync
	isync
	b	1b
	.balign	32
3:	mtmsr	r7
	isync
	blr
	.size	korv_l2_g3,.-korv_l2_g3

# 7400: hardware flush with the L1 locked, its poll in a two-line block.
	.globl	korv_l2_g4
	.type	korv_l2_g4,@function
korv_l2_g4:
	mfmsr	r7
	lis	r4,0
	ori	r4,r4,0x8010
	andc	r4,r7,r4
	sync
	mtmsr	r4
.ifndef BREAK_ISYNC
	isync
.endif
	mfspr	r8,1008
	ori	r5,r8,0x1000
	ori	r6,r3,0x0800
	mtctr	r9
korv_flush_g4:
	b	4f
	.balign	32
1:	sync
	mtspr	1008,r5
	sync
	mtspr	1017,r6
2:	mfspr	r0,1017
	andi.	r0,r0,0x0800
	beq	3f
	bdnz	2b
3:
korv_window_g4:
	mtspr	1017,r3
	sync
	mtspr	1008,r8
	sync
	b	5f
4:	sync
	isync
.ifdef BREAK_CHAIN
	nop
.else
	b	1b
.endif
5:
.ifdef BREAK_PAGE
	.fill	1024,4,0x60000000
.endif
	mtmsr	r7
	isync
	blr
	.size	korv_l2_g4,.-korv_l2_g4

	.pushsection "_kprobe_blacklist","aw"
	.long	korv_l2_g3
.ifndef BREAK_NOKPROBE
	.long	korv_l2_g4
.endif
	.popsection
