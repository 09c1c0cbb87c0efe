// SPDX-License-Identifier: MIT OR GPL-2.0
/*
 * The rules for register words, from the MPC750 family and MPC7400 user's
 * manuals and the kernel's cputable. See korvendale_policy.h.
 */
#include "korvendale_policy.h"

/* The kernel's cputable masks, in its order: the first match names the part. */
enum kv_cpu kv_cpu_of(u32 pvr)
{
	if (pvr == 0x00084202)
		return KV_CPU_750; /* a 740/750 without thermal unit */
	if ((pvr & 0xfffffff0) == 0x00080100 || (pvr & 0xfffffff0) == 0x00082200 ||
	    (pvr & 0xfffffff0) == 0x00082210 || pvr == 0x00083214 ||
	    (pvr & 0xfffff0e0) == 0x00087000 || (pvr & 0xfffff000) == 0x00083000)
		return KV_CPU_ONCHIP;
	switch (pvr >> 16) {
	case 0x0008:
		return KV_CPU_750;
	case 0x000C:
	case 0x800C:
		return KV_CPU_7400;
	case 0x7000:
	case 0x7002:
		return KV_CPU_ONCHIP;
	case 0x8000:
	case 0x8001:
	case 0x8002:
	case 0x8003:
	case 0x8004:
		return KV_CPU_745X;
	case 0x0001:
	case 0x0003:
	case 0x0004:
	case 0x0006:
	case 0x0007:
	case 0x0009:
	case 0x000A:
		return KV_CPU_NO_L2CR;
	default:
		return KV_CPU_UNKNOWN;
	}
}

bool kv_l2cr_writable(enum kv_cpu cpu)
{
	return cpu == KV_CPU_750 || cpu == KV_CPU_7400;
}

/* The 750 defines no bit from 19 to 30; the 7400 uses 19 to 23 besides. */
#define KV_L2CR_RESERVED_750  0x00001FFEu
#define KV_L2CR_RESERVED_7400 0x000000FEu

static bool clock_code_valid(enum kv_cpu cpu, u32 clk)
{
	/* The 750 divides by 1 to 3 only: its 3.5 and 4 codes are reserved. */
	if (cpu == KV_CPU_750)
		return clk != 0x06000000u && clk != 0x0E000000u;
	return true;
}

static bool configuration_codes_valid(enum kv_cpu cpu, u32 word)
{
	const u32 size = word & KV_L2SIZ, ram = word & KV_L2RAM, hold = word & KV_L2OH;

	if (cpu == KV_CPU_750) /* 256 KB to 1 MB; three SRAM types; 0.5 or 1 ns */
		return size != 0 && ram != 0x00800000u && !(hold & 0x00020000u);
	/* 512 KB to 2 MB, no flow-through SRAM, hold codes 0 to 2 */
	return size != 0x10000000u && ram != 0 && hold != KV_L2OH;
}

/* 256 KB, 512 KB, 1 MB, 2 MB in increasing order. */
static unsigned int size_rank(u32 word)
{
	return (((word & KV_L2SIZ) >> 28) + 3) & 3;
}

enum kv_l2cr_verdict kv_check_l2cr(enum kv_cpu cpu, u32 word, u32 def_l2cr, bool unverified)
{
	const u32 reserved = cpu == KV_CPU_750 ? KV_L2CR_RESERVED_750 : KV_L2CR_RESERVED_7400;
	const u32 clk = word & KV_L2CLK;
	const bool enabled = word & KV_L2E;
	const bool vouched = def_l2cr != KV_DEFL2CR_UNTESTED && def_l2cr != 0;

	if (word & reserved)
		return KV_L2CR_RESERVED_BIT;
	if (word & (KV_L2I | KV_L2IP | KV_L2HWF | KV_L2FA))
		return KV_L2CR_PROCEDURE_BIT;
	if (word & (KV_L2TS | KV_L2BYP))
		return KV_L2CR_TEST_BIT;
	if (!clock_code_valid(cpu, clk) || (enabled && !clk))
		return KV_L2CR_CLOCK;
	/* A running clock starts the DLL on these SRAM settings. */
	if ((enabled || clk) && !configuration_codes_valid(cpu, word))
		return KV_L2CR_RESERVED_CODE;
	if (unverified)
		return KV_L2CR_OK;
	if ((word & KV_L2PE) && !(vouched && (def_l2cr & KV_L2PE)))
		return KV_L2CR_PARITY;
	if (!enabled)
		return KV_L2CR_OK;
	if (!vouched)
		return KV_L2CR_NOT_TESTED;
	if ((word ^ def_l2cr) & (KV_L2RAM | KV_L2OH | KV_L2DF))
		return KV_L2CR_SRAM;
	if (size_rank(word) > size_rank(def_l2cr))
		return KV_L2CR_SIZE;
	return KV_L2CR_OK;
}

const char *kv_l2cr_verdict_text(enum kv_l2cr_verdict verdict)
{
	static const char *const text[KV_L2CR_SIZE + 1] = {
		[KV_L2CR_OK] = "accepted",
		[KV_L2CR_RESERVED_BIT] = "a reserved bit is set",
		[KV_L2CR_PROCEDURE_BIT] = "L2I, L2IP, L2HWF and L2FA are the switch's own",
		[KV_L2CR_TEST_BIT] = "test mode (L2TS) or DLL bypass (L2BYP)",
		[KV_L2CR_CLOCK] = "no clock, or a clock ratio this processor lacks",
		[KV_L2CR_RESERVED_CODE] = "no such size, SRAM type or hold time on this processor",
		[KV_L2CR_NOT_TESTED] = "DefL2CR vouches for no configuration",
		[KV_L2CR_PARITY] = "the firmware runs the SRAM without parity",
		[KV_L2CR_SRAM] = "SRAM type, hold time or clocking differs from DefL2CR",
		[KV_L2CR_SIZE] = "larger than DefL2CR's size",
	};

	return verdict <= KV_L2CR_SIZE ? text[verdict] : "refused";
}

u32 kv_def_l2cr(enum kv_cpu cpu, bool has_l2cr_value, u32 l2cr_value, u32 running)
{
	const u32 source = has_l2cr_value ? l2cr_value : running;

	if (!kv_l2cr_writable(cpu))
		return 0; /* no backside SRAM the programs could configure */
	if (!(source & KV_L2E) || !(source & KV_L2CLK))
		return KV_DEFL2CR_UNTESTED;
	return source & (KV_L2PE | KV_L2SIZ | KV_L2RAM | KV_L2OH | KV_L2SL | KV_L2DF);
}

u32 kv_hid0_managed(enum kv_cpu cpu, bool no_dpm, bool no_btic)
{
	u32 managed = KV_HID0_MANAGED;

	/* The kernel sets up every 750 derivative's HID0 as the 750's. */
	if (cpu != KV_CPU_750 && cpu != KV_CPU_7400 && cpu != KV_CPU_ONCHIP)
		return 0;
	/* The kernel clears these at setup on parts that must not run them. */
	if (no_dpm)
		managed &= ~KV_DPM;
	if (no_btic)
		managed &= ~KV_BTIC;
	return managed;
}

enum kv_hid0_verdict kv_check_hid0(u32 managed, u32 idle, u32 now, u32 word)
{
	/* Address-only broadcasts (tlbie, tlbsync, sync) keep processors coherent. */
	if ((managed & KV_ABE) && !(word & KV_ABE))
		return KV_HID0_ABE_CLEARED;
	if ((now ^ word) & ~(managed | idle))
		return KV_HID0_UNMANAGED;
	return KV_HID0_OK;
}

u32 kv_apply_hid0(u32 managed, u32 now, u32 word)
{
	return (now & ~managed) | (word & managed);
}

u32 kv_hid0_idle(enum kv_cpu cpu)
{
	switch (cpu) {
	case KV_CPU_750:
	case KV_CPU_7400:
	case KV_CPU_ONCHIP:
		return KV_DOZE | KV_NAP | KV_SLEEP;
	case KV_CPU_745X: /* no doze: bit 8 enables the high BATs there */
		return KV_NAP | KV_SLEEP;
	default: /* the idle loop leaves a 601 to 604 alone */
		return 0;
	}
}

int kv_junction_celsius(int (*hotter)(void *ctx, unsigned int threshold), void *ctx, int *celsius)
{
	unsigned int low = 0, high = 128, mid;
	int above;

	/*
	 * TIN with TID clear: the junction is above the threshold. The answer
	 * is the right side of the step, the first threshold it is not above.
	 */
	while (low < high) {
		mid = (low + high) / 2;
		above = hotter(ctx, mid);
		if (above < 0)
			return above;
		if (above)
			low = mid + 1;
		else
			high = mid;
	}
	*celsius = (int)low;
	return 0;
}
