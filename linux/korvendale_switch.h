/* SPDX-License-Identifier: MIT OR GPL-2.0 */
/*
 * The steps of an L2CR change on one processor, written against a table of
 * register and time-base operations so that the same file builds into the
 * module and into a host test with a model of the processor.
 */
#ifndef KORVENDALE_SWITCH_H
#define KORVENDALE_SWITCH_H

/* The register bits, and u32 on the host. */
#include "korvendale_policy.h"

/* Bytes read to displace a 32 KB 8-way L1 data cache (at least 48 KB). */
#define KV_L1_FLUSH_BYTES (64 * 1024)
/*
 * The DLL locks within 640 L2 clocks: 25.6 us at the slowest L2 clock, core / 4
 * of a 100 MHz core, far below any 750 or 7400 Macintosh.
 */
#define KV_DLL_US 100
/*
 * A global invalidate takes about 16K (7400) to 32K (750GX) core clocks:
 * 330 us at 100 MHz. Without L2IP ever seen set, it counts as done after
 * this; with L2IP set that long past the bound, it has failed.
 */
#define KV_INVALIDATE_US	 1000
#define KV_INVALIDATE_TIMEOUT_US 20000
/* Writing back a whole 2 MB L2 takes a few milliseconds. */
#define KV_HW_FLUSH_TIMEOUT_US 100000

enum korv_l2_kind {
	KV_L2_READ_FLUSH, /* 750: loads fill the L2, so reading flushes it */
	KV_L2_HW_FLUSH,	  /* 7400/7410: victim L2, flushed by L2HWF */
};

struct korv_l2_ops {
	void *ctx;
	unsigned long (*irq_save)(void *ctx);
	void (*irq_restore)(void *ctx, unsigned long flags);
	u32 (*read_l2cr)(void *ctx);
	/*
	 * What the switch compares its result with (the register, or the word
	 * last written where the register cannot hold one).
	 */
	u32 (*l2cr_now)(void *ctx);
	u32 (*read_hid0)(void *ctx);
	void (*write_l2cr)(void *ctx, u32 word);
	void (*write_hid0)(void *ctx, u32 word);
	u32 (*timebase)(void *ctx);
	u32 (*flush_read_disable)(void *ctx, u32 off, u32 bytes);
	u32 (*flush_hw_disable)(void *ctx, u32 old, u32 off, u32 l1_bytes, u32 ticks);
	u32 ticks_per_usec;
};

#define KV_TRACE_MAX 20
struct korv_l2_trace {
	int n;
	struct {
		const char *step;
		u32 value;
		bool has_value;
	} e[KV_TRACE_MAX];
};

/* Words no processor may get, whatever the firmware vouches for. */
bool korv_switch_refuses(u32 value);

/*
 * Takes this processor's L2 from `old` to `value`; the steps go to `t`.
 * Returns 0, -EINVAL (refused before anything changed), -ETIMEDOUT (a flush
 * or invalidate did not end: the cache is left as it was, or off) or -EIO
 * (after enabling, L2CR reads otherwise).
 */
int korv_switch(const struct korv_l2_ops *ops, enum korv_l2_kind kind, u32 old, u32 value,
		struct korv_l2_trace *t);

/*
 * run(ctx, false) switches every processor; when it fails on one, run(ctx,
 * true) takes every processor to its own word with L2E clear, so that none
 * keeps a configuration the others lack. Returns the first failure.
 */
int korv_switch_all(int (*run)(void *ctx, bool off), void *ctx);

#endif
