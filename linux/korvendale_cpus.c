// SPDX-License-Identifier: MIT OR GPL-2.0
/*
 * The L2 switch on every processor. Each online processor runs it at once
 * (each has its own L2); when it fails on one, all of them are taken to "L2
 * off", so that none keeps a configuration the others lack. A processor that
 * comes online gets the words last written, since the kernel gives it the
 * boot values there.
 */
#define pr_fmt(fmt) "korvendale: " fmt

#include <linux/cpu.h>
#include <linux/cpuhotplug.h>
#include <linux/irqflags.h>
#include <linux/kernel.h>
#include <linux/module.h>
#include <linux/slab.h>
#include <linux/smp.h>

#include <asm/reg.h>
#include <asm/time.h>

#include "korvendale_cpus.h"
#include "korvendale_l2.h"

static bool trace;
module_param(trace, bool, 0644);
MODULE_PARM_DESC(trace, "log every step of an L2CR write and each value written (testing only)");

/*
 * Emulators read L2CR as 0 and drop writes. With this word the module takes
 * it as what the firmware left running and vouches for, so that the whole
 * procedure, flush and enable included, runs where no L2 exists.
 */
static unsigned int test_firmware_l2cr;
module_param(test_firmware_l2cr, uint, 0444);
MODULE_PARM_DESC(test_firmware_l2cr,
		 "testing only: take this word as the running L2CR the firmware set (0: off)");

static enum korv_l2_kind kv_kind;
static bool kv_has_l2cr;
static int kv_hp_state = -1;
/* With test_firmware_l2cr: what each processor's L2CR would hold. */
static u32 kv_shadow[NR_CPUS];

/* Written under the hotplug read lock, read by the online callback. */
static struct {
	bool l2cr_valid, hid0_valid;
	u32 l2cr, hid0_managed, hid0;
} kv_stored;

bool kv_l2_testing(void)
{
	return test_firmware_l2cr != 0;
}

u32 kv_l2_running(void)
{
	return kv_l2_testing() ? kv_shadow[raw_smp_processor_id()] : mfspr(SPRN_L2CR);
}

/* ------------------------------------------------------------ operations */

static unsigned long op_irq_save(void *ctx)
{
	unsigned long flags;

	local_irq_save(flags);
	return flags;
}

static void op_irq_restore(void *ctx, unsigned long flags)
{
	local_irq_restore(flags);
}

static u32 op_read_l2cr(void *ctx)
{
	return mfspr(SPRN_L2CR);
}

/*
 * The read-back after enabling: with test_firmware_l2cr the register reads 0
 * whatever was written, so the switch is held to the word it wrote last; the
 * comparison then proves the steps, not the silicon.
 */
static u32 op_l2cr_now(void *ctx)
{
	return kv_l2_running();
}

static u32 op_read_hid0(void *ctx)
{
	return mfspr(SPRN_HID0);
}

static void op_write_l2cr(void *ctx, u32 word)
{
	korv_l2_write_l2cr(word);
	kv_shadow[smp_processor_id()] = word;
}

static void op_write_hid0(void *ctx, u32 word)
{
	korv_l2_write_hid0(word);
}

static u32 op_timebase(void *ctx)
{
	return mftb();
}

static u32 op_flush_read_disable(void *ctx, u32 off, u32 bytes)
{
	kv_shadow[smp_processor_id()] = off;
	return korv_l2_flush_read_disable(off, bytes);
}

static u32 op_flush_hw_disable(void *ctx, u32 old, u32 off, u32 l1_bytes, u32 ticks)
{
	u32 l2cr = korv_l2_flush_hw_disable(old, off, l1_bytes, ticks);

	kv_shadow[smp_processor_id()] = (l2cr & KV_L2HWF) ? old : off;
	return l2cr;
}

static struct korv_l2_ops kv_ops = {
	.irq_save = op_irq_save,
	.irq_restore = op_irq_restore,
	.read_l2cr = op_read_l2cr,
	.l2cr_now = op_l2cr_now,
	.read_hid0 = op_read_hid0,
	.write_l2cr = op_write_l2cr,
	.write_hid0 = op_write_hid0,
	.timebase = op_timebase,
	.flush_read_disable = op_flush_read_disable,
	.flush_hw_disable = op_flush_hw_disable,
};

/* ------------------------------------------------------------ processors */

struct kv_l2_call {
	u32 value;
	bool off; /* each processor to its own word with L2E clear */
	int result[NR_CPUS];
	u32 from[NR_CPUS];
	struct korv_l2_trace trace[NR_CPUS];
};

static void l2_on_this_cpu(void *arg)
{
	struct kv_l2_call *call = arg;
	int cpu = smp_processor_id();
	u32 old = kv_l2_running();

	call->from[cpu] = old;
	call->result[cpu] = korv_switch(&kv_ops, kv_kind, old,
					call->off ? old & ~KV_L2E : call->value, &call->trace[cpu]);
}

static void report(const struct kv_l2_call *call, int cpu)
{
	const struct korv_l2_trace *t = &call->trace[cpu];
	int i;

	if (!trace)
		goto errors;
	pr_info("l2cr cpu%d: write 0x%08x\n", cpu,
		call->off ? call->from[cpu] & ~KV_L2E : call->value);
	for (i = 0; i < t->n; i++) {
		if (t->e[i].has_value)
			pr_info("l2cr cpu%d: %s 0x%08x\n", cpu, t->e[i].step, t->e[i].value);
		else
			pr_info("l2cr cpu%d: %s\n", cpu, t->e[i].step);
	}
errors:
	if (call->result[cpu])
		pr_err("l2cr cpu%d: 0x%08x to 0x%08x failed (%d)\n", cpu, call->from[cpu],
		       call->off ? call->from[cpu] & ~KV_L2E : call->value, call->result[cpu]);
}

/* Runs the call everywhere, logs it; returns the first failure. */
static int run_everywhere(void *arg, bool off)
{
	struct kv_l2_call *call = arg;
	int cpu, result = 0;

	if (off)
		pr_err("l2cr: turning the L2 off on every processor\n");
	call->off = off;
	memset(call->trace, 0, sizeof(call->trace));
	memset(call->result, 0, sizeof(call->result));
	on_each_cpu(l2_on_this_cpu, call, 1);
	for_each_online_cpu(cpu) {
		report(call, cpu);
		if (call->result[cpu] && !result)
			result = call->result[cpu];
	}
	return result;
}

int kv_l2_set(u32 value)
{
	struct kv_l2_call *call;
	int result;

	if (korv_switch_refuses(value))
		return -EINVAL;
	call = kzalloc(sizeof(*call), GFP_KERNEL);
	if (!call)
		return -ENOMEM;
	call->value = value;
	cpus_read_lock();
	result = korv_switch_all(run_everywhere, call);
	kv_stored.l2cr = result ? value & ~KV_L2E : value;
	kv_stored.l2cr_valid = true;
	cpus_read_unlock();
	kfree(call);
	return result;
}

struct kv_read_call {
	bool hid0;
	u32 word[NR_CPUS];
};

static void read_on_this_cpu(void *arg)
{
	struct kv_read_call *call = arg;

	call->word[smp_processor_id()] = call->hid0 ? mfspr(SPRN_HID0) : kv_l2_running();
}

/* This processor's word, after a look at the others'. */
static u32 read_everywhere(bool hid0, u32 compared)
{
	struct kv_read_call *call = kzalloc(sizeof(*call), GFP_KERNEL);
	int cpu, here, first = -1;
	u32 word;

	if (!call)
		return hid0 ? mfspr(SPRN_HID0) : kv_l2_running();
	call->hid0 = hid0;
	cpus_read_lock();
	on_each_cpu(read_on_this_cpu, call, 1);
	for_each_online_cpu(cpu) {
		if (first < 0)
			first = cpu;
		else if ((call->word[cpu] ^ call->word[first]) & compared)
			pr_warn_ratelimited("%s differs: cpu%d 0x%08x, cpu%d 0x%08x\n",
					    hid0 ? "HID0" : "L2CR", first, call->word[first], cpu,
					    call->word[cpu]);
	}
	here = get_cpu();
	word = call->word[here];
	put_cpu();
	cpus_read_unlock();
	kfree(call);
	return word;
}

u32 kv_l2_get(void)
{
	return read_everywhere(false, ~KV_L2IP);
}

u32 kv_hid0_get(u32 managed)
{
	return read_everywhere(true, managed);
}

void kv_hid0_store(u32 managed, u32 value)
{
	lockdep_assert_cpus_held();
	kv_stored.hid0_managed = managed;
	kv_stored.hid0 = value;
	kv_stored.hid0_valid = true;
}

static int kv_cpu_online(unsigned int cpu)
{
	struct korv_l2_trace *t;
	unsigned long flags;
	u32 old, hid0;
	int result;

	if (kv_stored.hid0_valid) {
		local_irq_save(flags);
		hid0 = mfspr(SPRN_HID0);
		korv_l2_write_hid0(kv_apply_hid0(kv_stored.hid0_managed, hid0, kv_stored.hid0));
		local_irq_restore(flags);
	}
	if (!kv_has_l2cr || !kv_stored.l2cr_valid)
		return 0;
	t = kzalloc(sizeof(*t), GFP_KERNEL);
	if (!t)
		return -ENOMEM;
	if (kv_l2_testing())
		kv_shadow[cpu] = test_firmware_l2cr; /* what the kernel restored */
	old = kv_l2_running();
	result = korv_switch(&kv_ops, kv_kind, old, kv_stored.l2cr, t);
	if (result)
		pr_err("l2cr cpu%u: coming online, 0x%08x to 0x%08x failed (%d)\n", cpu, old,
		       kv_stored.l2cr, result);
	kfree(t);
	return 0;
}

int kv_cpus_init(enum korv_l2_kind kind, bool has_l2cr)
{
	int cpu, state;

	kv_kind = kind;
	kv_has_l2cr = has_l2cr;
	kv_ops.ticks_per_usec = tb_ticks_per_usec;
	if (kv_l2_testing()) {
		pr_warn("test_firmware_l2cr=0x%08x: TESTING ONLY, taken as the running L2CR\n",
			test_firmware_l2cr);
		for_each_possible_cpu(cpu)
			kv_shadow[cpu] = test_firmware_l2cr;
	}
	state = cpuhp_setup_state_nocalls(CPUHP_AP_ONLINE_DYN, "korvendale:online", kv_cpu_online,
					  NULL);
	if (state < 0)
		return state;
	kv_hp_state = state;
	return 0;
}

void kv_cpus_exit(void)
{
	if (kv_hp_state >= 0)
		cpuhp_remove_state_nocalls(kv_hp_state);
}
