// SPDX-License-Identifier: MIT OR GPL-2.0
/*
 * One processor's L2CR change, as the 750 and 7400 manuals order it:
 * interrupts off; DPM off (a global invalidate must not run under dynamic
 * power management); an enabled L2 flushed and disabled; the new
 * configuration written with L2E clear, which starts the DLL; a global
 * invalidate; L2E once the invalidate has ended and the DLL has had its
 * time. The windows that must not store are in korvendale_l2.S; the steps
 * are recorded here, between them, and printed by the caller afterwards.
 */
#ifdef __KERNEL__
#include <linux/errno.h>
#else
#include <errno.h>
#endif

#include "korvendale_switch.h"

/* Bits that report or trigger rather than configure. */
#define KV_L2_ACTIONS (KV_L2E | KV_L2I | KV_L2IP | KV_L2HWF)

static void note(struct korv_l2_trace *t, const char *step, u32 value, bool has_value)
{
	if (t->n < KV_TRACE_MAX) {
		t->e[t->n].step = step;
		t->e[t->n].value = value;
		t->e[t->n].has_value = has_value;
		t->n++;
	}
}

static u32 since(const struct korv_l2_ops *ops, u32 start)
{
	return ops->timebase(ops->ctx) - start;
}

static u32 ticks(const struct korv_l2_ops *ops, u32 us)
{
	return us * ops->ticks_per_usec;
}

/* Twice the L2, read through both caches (code 00 is 2 MB, 7400 only). */
static u32 read_flush_bytes(u32 l2cr)
{
	static const u32 size[4] = { 2u << 20, 256u << 10, 512u << 10, 1u << 20 };

	return 2 * size[(l2cr & KV_L2SIZ) >> 28];
}

static int flush_and_disable(const struct korv_l2_ops *ops, enum korv_l2_kind kind, u32 old,
			     u32 hid0, struct korv_l2_trace *t)
{
	const u32 off = old & ~(KV_L2E | KV_L2HWF);
	u32 l2cr;

	if (kind == KV_L2_READ_FLUSH) {
		note(t, "flush l1+l2 by reading", read_flush_bytes(old), true);
		ops->flush_read_disable(ops->ctx, off, read_flush_bytes(old));
		note(t, "disable", off, true);
		return 0;
	}
	note(t, "flush l1 by reading", KV_L1_FLUSH_BYTES, true);
	note(t, "hid0 l1 data locked", hid0 | KV_DLOCK, true);
	note(t, "hardware flush", old | KV_L2HWF, true);
	l2cr = ops->flush_hw_disable(ops->ctx, old & ~KV_L2HWF, off, KV_L1_FLUSH_BYTES,
				     ticks(ops, KV_HW_FLUSH_TIMEOUT_US));
	if (l2cr & KV_L2HWF)
		note(t, "hardware flush timed out, left as it was", old & ~KV_L2HWF, true);
	else
		note(t, "disable", off, true);
	note(t, "hid0 l1 data unlocked", hid0, true);
	return (l2cr & KV_L2HWF) ? -ETIMEDOUT : 0;
}

/*
 * The invalidate counts as done once L2IP was seen set and then clear, or,
 * never seen set, after the longest it can take; L2IP still set at the
 * timeout means it failed.
 */
static int l2_invalidate(const struct korv_l2_ops *ops, u32 config, struct korv_l2_trace *t)
{
	bool seen = false;
	u32 start, l2cr;

	ops->write_l2cr(ops->ctx, config | KV_L2I);
	start = ops->timebase(ops->ctx);
	note(t, "global invalidate", config | KV_L2I, true);
	for (;;) {
		/*
		 * One time per read, taken before it: a pause between the two
		 * (an emulator's host, say) must not turn a finished invalidate
		 * into a timeout.
		 */
		const u32 elapsed = since(ops, start);

		l2cr = ops->read_l2cr(ops->ctx);
		if (l2cr & KV_L2IP)
			seen = true;
		else if (seen || elapsed >= ticks(ops, KV_INVALIDATE_US))
			break;
		if (elapsed >= ticks(ops, KV_INVALIDATE_TIMEOUT_US)) {
			ops->write_l2cr(ops->ctx, config);
			note(t, "invalidate timed out, left disabled", config, true);
			return -ETIMEDOUT;
		}
	}
	note(t, "invalidate complete", l2cr, true);
	ops->write_l2cr(ops->ctx, config);
	note(t, "end invalidate", config, true);
	return 0;
}

static int l2_configure(const struct korv_l2_ops *ops, u32 old, u32 value, struct korv_l2_trace *t)
{
	const u32 config = value & ~KV_L2_ACTIONS;
	/* A clock that runs on (and ran before) keeps its DLL locked. */
	const bool new_clock = !(old & KV_L2CLK) || ((old ^ config) & KV_L2CLK);
	u32 configured, l2cr;
	int result;

	if (!(value & KV_L2E)) {
		ops->write_l2cr(ops->ctx, config);
		note(t, "configure disabled", config, true);
		return 0;
	}
	ops->write_l2cr(ops->ctx, config);
	configured = ops->timebase(ops->ctx);
	note(t, "configure", config, true);
	result = l2_invalidate(ops, config, t);
	if (result)
		return result;
	if (new_clock) {
		while (since(ops, configured) < ticks(ops, KV_DLL_US))
			;
		note(t, "dll given microseconds", KV_DLL_US, true);
	}
	ops->write_l2cr(ops->ctx, config | KV_L2E);
	note(t, "enable", config | KV_L2E, true);
	l2cr = ops->l2cr_now(ops->ctx) & ~KV_L2IP;
	if (l2cr != (config | KV_L2E)) {
		note(t, "enabled, but reads otherwise", l2cr, true);
		return -EIO;
	}
	return 0;
}

bool korv_switch_refuses(u32 value)
{
	return (value & KV_L2E) && !(value & KV_L2CLK); /* an enabled L2 with its clock off */
}

int korv_switch(const struct korv_l2_ops *ops, enum korv_l2_kind kind, u32 old, u32 value,
		struct korv_l2_trace *t)
{
	unsigned long flags;
	u32 hid0;
	int result = 0;

	if (korv_switch_refuses(value))
		return -EINVAL;
	flags = ops->irq_save(ops->ctx);
	hid0 = ops->read_hid0(ops->ctx);
	note(t, "interrupts off", 0, false);
	if (!((old ^ value) & ~(KV_L2I | KV_L2IP | KV_L2HWF))) {
		note(t, "unchanged", old, true);
		goto done;
	}
	if (hid0 & KV_DPM) {
		ops->write_hid0(ops->ctx, hid0 & ~KV_DPM);
		note(t, "hid0 dpm off", hid0 & ~KV_DPM, true);
	}
	if (old & KV_L2E)
		result = flush_and_disable(ops, kind, old, hid0 & ~KV_DPM, t);
	if (!result)
		result = l2_configure(ops, old, value, t);
	if (hid0 & KV_DPM) {
		ops->write_hid0(ops->ctx, hid0);
		note(t, "hid0 dpm restored", hid0, true);
	}
done:
	note(t, "l2cr reads", ops->l2cr_now(ops->ctx), true);
	ops->irq_restore(ops->ctx, flags);
	note(t, "interrupts restored", 0, false);
	return result;
}

int korv_switch_all(int (*run)(void *ctx, bool off), void *ctx)
{
	int result = run(ctx, false);

	if (result && result != -EINVAL) /* a refused word changed nothing */
		run(ctx, true);
	return result;
}
