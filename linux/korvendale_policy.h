/* SPDX-License-Identifier: MIT OR GPL-2.0 */
/*
 * Which register words the module lets through, per processor family, from
 * the 750 and 7400 manuals. Pure computation: no register is touched here, so
 * the host tests run these very functions.
 */
#ifndef KORVENDALE_POLICY_H
#define KORVENDALE_POLICY_H

#ifdef __KERNEL__
#include <linux/types.h>
#else
#include <stdbool.h>
typedef __UINT32_TYPE__ u32;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* L2CR (bit 0 is the most significant, as in the processor manuals). */
#define KV_L2E	    0x80000000u
#define KV_L2PE	    0x40000000u
#define KV_L2SIZ    0x30000000u
#define KV_L2CLK    0x0E000000u
#define KV_L2RAM    0x01800000u
#define KV_L2DO	    0x00400000u
#define KV_L2I	    0x00200000u
#define KV_L2CTL    0x00100000u
#define KV_L2WT	    0x00080000u
#define KV_L2TS	    0x00040000u
#define KV_L2OH	    0x00030000u
#define KV_L2SL	    0x00008000u
#define KV_L2DF	    0x00004000u
#define KV_L2BYP    0x00002000u
#define KV_L2FA	    0x00001000u /* 7400/7410 only, as the four below */
#define KV_L2HWF    0x00000800u
#define KV_L2IO	    0x00000400u
#define KV_L2CLKSTP 0x00000200u
#define KV_L2DRO    0x00000100u
#define KV_L2IP	    0x00000001u

/* HID0 */
#define KV_DOZE	 0x00800000u
#define KV_NAP	 0x00400000u
#define KV_SLEEP 0x00200000u
#define KV_DPM	 0x00100000u
#define KV_DLOCK 0x00001000u
#define KV_SPD	 0x00000200u
#define KV_SGE	 0x00000080u
#define KV_BTIC	 0x00000020u
#define KV_ABE	 0x00000008u

/* What the startup item and the application switch; nothing else may change. */
#define KV_HID0_MANAGED (KV_DPM | KV_SPD | KV_SGE | KV_BTIC | KV_ABE)

/* "Not tested": the programs refuse to build an L2CR from it. */
#define KV_DEFL2CR_UNTESTED 0xFFFFFFFFu

enum kv_cpu {
	KV_CPU_750,  /* 740/750/750L: backside L2 with the 750's L2CR */
	KV_CPU_7400, /* 7400/7410: backside L2 with the 7400's L2CR */
	/* 750CX/CXe/CL/FX/GX: on-chip L2, an L2CR of another layout; also the
	 * 745/755, whose PVRs the kernel's table shares with the 750CXe
	 */
	KV_CPU_ONCHIP,
	KV_CPU_745X,	/* 7450 to 7448: on-chip L2, an L2CR of another layout */
	KV_CPU_NO_L2CR, /* 601 to 604ev */
	KV_CPU_UNKNOWN,
};

enum kv_cpu kv_cpu_of(u32 pvr);

/* Only these have their L2CR written; the others are served read-only. */
bool kv_l2cr_writable(enum kv_cpu cpu);

enum kv_l2cr_verdict {
	KV_L2CR_OK,
	KV_L2CR_RESERVED_BIT,
	KV_L2CR_PROCEDURE_BIT, /* L2I, L2HWF, L2FA, L2IP: the module's own steps */
	KV_L2CR_TEST_BIT,      /* L2TS, L2BYP */
	KV_L2CR_CLOCK,	       /* a reserved L2CLK code, or L2E without a clock */
	KV_L2CR_RESERVED_CODE, /* L2SIZ, L2RAM or L2OH the family lacks */
	KV_L2CR_NOT_TESTED,    /* L2E while DefL2CR vouches for nothing */
	KV_L2CR_PARITY,	       /* L2PE on SRAM the firmware runs without it */
	KV_L2CR_SRAM,	       /* L2RAM, L2OH or L2DF other than DefL2CR's */
	KV_L2CR_SIZE,	       /* L2SIZ larger than DefL2CR's */
};

/*
 * The verdict on an L2CR word for a processor whose L2CR is writable.
 * `unverified` lifts the rules that compare with DefL2CR, never the family's.
 */
enum kv_l2cr_verdict kv_check_l2cr(enum kv_cpu cpu, u32 word, u32 def_l2cr, bool unverified);
const char *kv_l2cr_verdict_text(enum kv_l2cr_verdict verdict);

/*
 * DefL2CR from what the firmware left: the cpu node's l2cr-value when there is
 * one, else the L2CR found running. An L2 left off vouches for nothing.
 */
u32 kv_def_l2cr(enum kv_cpu cpu, bool has_l2cr_value, u32 l2cr_value, u32 running);

/* The HID0 bits a write may change, less those the kernel says the part lacks. */
u32 kv_hid0_managed(enum kv_cpu cpu, bool no_dpm, bool no_btic);

enum kv_hid0_verdict {
	KV_HID0_OK,
	KV_HID0_ABE_CLEARED,
	KV_HID0_UNMANAGED,
};

/*
 * The bits the idle loop sets by the moment on this family (DOZE, NAP,
 * SLEEP), which a read of the node leaves out, so that the word is the same
 * on every processor.
 */
u32 kv_hid0_idle(enum kv_cpu cpu);

/*
 * The verdict on a HID0 word against one processor's HID0 now. The `idle`
 * bits are the idle loop's own: never compared, never changed.
 */
enum kv_hid0_verdict kv_check_hid0(u32 managed, u32 idle, u32 now, u32 word);
u32 kv_apply_hid0(u32 managed, u32 now, u32 word);

/*
 * The junction temperature from the thermal assist unit's comparator.
 * `hotter(ctx, t)` makes one comparison against threshold t (0 to 127) and
 * returns 1 when the junction is above it, 0 when not, or a negative error.
 * The result is the first threshold the junction is not above: 0 to 128.
 */
int kv_junction_celsius(int (*hotter)(void *ctx, unsigned int threshold), void *ctx, int *celsius);

#ifdef __cplusplus
}
#endif

#endif
