// SPDX-License-Identifier: MIT OR GPL-2.0
/*
 * korvendale: the processor registers of PowerPC G3/G4 Macintoshes as six
 * sysctl words under /proc/sys/hw, for Tarnwick X, Korvendale Startup and
 * korvendalecache.
 *
 *   KorvendalePVR     0444  processor version
 *   KorvendaleHID0    0644  HID0; only the bits the programs manage may change
 *   KorvendaleHID1    0444  PLL configuration
 *   KorvendaleTemp    0444  die temperature from the thermal assist unit, deg C
 *   KorvendaleL2CR    0644  backside L2 control, written with the safe procedure
 *   KorvendaleDefL2CR 0444  the L2 configuration the firmware vouches for
 *
 * A read gives the word in decimal and a newline (Temp signed). A write takes
 * one number, decimal or 0x hex, with an optional newline, and nothing else.
 */
#define pr_fmt(fmt) "korvendale: " fmt

#include <linux/capability.h>
#include <linux/cpu.h>
#include <linux/delay.h>
#include <linux/init.h>
#include <linux/jiffies.h>
#include <linux/kernel.h>
#include <linux/module.h>
#include <linux/mutex.h>
#include <linux/of.h>
#include <linux/slab.h>
#include <linux/smp.h>
#include <linux/string.h>
#include <linux/sysctl.h>

#include <asm/cputable.h>
#include <asm/reg.h>
#include <asm/time.h>

#include "korvendale_cpus.h"
#include "korvendale_policy.h"

#ifndef CONFIG_PPC_BOOK3S_32
#error "korvendale drives the registers of 32-bit PowerPC (Book3S) processors only"
#endif

static bool unverified_l2cr;
module_param(unverified_l2cr, bool, 0444);
MODULE_PARM_DESC(unverified_l2cr,
		 "accept L2CR words DefL2CR does not vouch for (you know your SRAM)");

/* Thermal assist unit (THRM1..3). With TID clear, TIN set means hotter. */
#define KV_TIN		0x80000000u
#define KV_TIV		0x40000000u
#define KV_THRESHOLD(t) (((u32)(t) << 23) & 0x3F800000u)
#define KV_THRM_V	0x00000001u
#define KV_THRM3_E	0x00000001u
#define KV_SITV_MAX	(0x1fffu << 1)

enum kv_family {
	KV_G3,	   /* 750 family: backside L2, read-through flush */
	KV_G4,	   /* 7400/7410: backside victim L2, hardware flush */
	KV_ONCHIP, /* 750CX..GX, 755, 745x: an L2CR of another layout, read only */
	KV_OTHER,  /* 601/603/604: no L2CR */
};

static enum kv_cpu cpu_kind;
static enum kv_family family;
static bool has_l2cr, has_tau;
static u32 def_l2cr;
static DEFINE_MUTEX(kv_lock);

static int classify(u32 pvr)
{
	static const enum kv_family families[] = {
		[KV_CPU_750] = KV_G3,	   [KV_CPU_7400] = KV_G4,	[KV_CPU_ONCHIP] = KV_ONCHIP,
		[KV_CPU_745X] = KV_ONCHIP, [KV_CPU_NO_L2CR] = KV_OTHER,
	};

	cpu_kind = kv_cpu_of(pvr);
	if (cpu_kind == KV_CPU_UNKNOWN)
		return -ENODEV;
	family = families[cpu_kind];
	has_l2cr = kv_l2cr_writable(cpu_kind) && cpu_has_feature(CPU_FTR_L2CR);
	has_tau = cpu_has_feature(CPU_FTR_TAU);
	return 0;
}

static u32 hid0_managed(void)
{
	return kv_hid0_managed(cpu_kind, cpu_has_feature(CPU_FTR_NO_DPM),
			       cpu_has_feature(CPU_FTR_NO_BTIC));
}

/* --------------------------------------------------------------- L2CR */

static int get_l2cr(u32 *value)
{
	if (has_l2cr)
		*value = kv_l2_get();
	else if (family == KV_ONCHIP && cpu_has_feature(CPU_FTR_L2CR))
		*value = mfspr(SPRN_L2CR) & KV_L2E; /* only L2E means the same there */
	else
		*value = 0;
	return 0;
}

/* -------------------------------------------------------------- DefL2CR */

/*
 * DefL2CR is derived at the first load of a boot and kept on the cpu node: a
 * reload must not take an L2CR a user wrote for one the firmware vouched for.
 * The property outlives the module (its memory is never freed), not a reboot.
 */
#define KV_DEFL2CR_PROPERTY "korvendale,def-l2cr"

static bool record_def_l2cr(struct device_node *cpu, u32 value)
{
	struct property *record = kzalloc(sizeof(*record), GFP_KERNEL);
	const __be32 word = cpu_to_be32(value);

	if (!record)
		return false;
	record->name = kstrdup(KV_DEFL2CR_PROPERTY, GFP_KERNEL);
	record->value = kmemdup(&word, sizeof(word), GFP_KERNEL);
	record->length = sizeof(word);
	if (record->name && record->value && !of_add_property(cpu, record))
		return true;
	kfree(record->name);
	kfree(record->value);
	kfree(record);
	return false;
}

/* `running`: the L2CR the firmware left, read before any write of ours. */
static u32 vouched_l2cr(u32 running)
{
	struct device_node *cpu = of_find_node_by_type(NULL, "cpu");
	const __be32 *prop = NULL;
	u32 value;
	int len = 0;

	if (kv_l2_testing()) {
		/* The test word stands for the firmware: nothing recorded, nothing read. */
		of_node_put(cpu);
		return kv_def_l2cr(cpu_kind, false, 0, running);
	}
	if (cpu)
		prop = of_get_property(cpu, KV_DEFL2CR_PROPERTY, &len);
	if (prop && len == sizeof(*prop)) {
		value = be32_to_cpup(prop);
		of_node_put(cpu);
		return value;
	}
	if (cpu)
		prop = of_get_property(cpu, "l2cr-value", &len);
	if (prop && len < sizeof(*prop))
		prop = NULL;
	value = kv_def_l2cr(cpu_kind, prop, prop ? be32_to_cpup(prop) : 0, running);
	if (value == KV_DEFL2CR_UNTESTED)
		pr_info("DefL2CR: none, the firmware left no L2 configuration running\n");
	else
		pr_info("DefL2CR 0x%08x, from %s\n", value,
			prop ? "the cpu node's l2cr-value" : "the configuration the firmware left");
	if (!cpu || !record_def_l2cr(cpu, value))
		pr_warn("DefL2CR not recorded: a reload would derive it again\n");
	of_node_put(cpu);
	return value;
}

/* ---------------------------------------------------------------- HID0 */

static void sync_isync(void)
{
	__asm__ __volatile__("sync; isync" ::: "memory");
}

struct kv_hid0_call {
	u32 managed, value;
	bool refused;
};

static void hid0_check_on_this_cpu(void *arg)
{
	struct kv_hid0_call *call = arg;

	if (kv_check_hid0(call->managed, kv_hid0_idle(cpu_kind), mfspr(SPRN_HID0), call->value))
		WRITE_ONCE(call->refused, true);
}

/* Each processor keeps its own other bits (the idle loop's, say). */
static void hid0_on_this_cpu(void *arg)
{
	const struct kv_hid0_call *call = arg;
	const u32 hid0 = kv_apply_hid0(call->managed, mfspr(SPRN_HID0), call->value);

	__asm__ __volatile__("sync" ::: "memory");
	mtspr(SPRN_HID0, hid0);
	sync_isync();
}

static int set_hid0(u32 value)
{
	struct kv_hid0_call call = { .managed = hid0_managed(), .value = value };

	cpus_read_lock();
	on_each_cpu(hid0_check_on_this_cpu, &call, 1);
	if (!call.refused && call.managed) {
		on_each_cpu(hid0_on_this_cpu, &call, 1);
		kv_hid0_store(call.managed, value);
	}
	cpus_read_unlock();
	return call.refused ? -EINVAL : 0;
}

/* ----------------------------------------------------- thermal assist unit */

/*
 * One comparison, TIN with TID clear: is the junction above `threshold`? The
 * unit is stopped while the threshold changes, then a whole sample interval
 * passes before TIV may stand for a comparison with the new threshold.
 */
static int hotter_than(void *settle_us, unsigned int threshold)
{
	unsigned int us;
	u32 thrm1;

	mtspr(SPRN_THRM3, 0);
	mtspr(SPRN_THRM1, KV_THRESHOLD(threshold) | KV_THRM_V);
	mtspr(SPRN_THRM3, KV_SITV_MAX | KV_THRM3_E);
	udelay(*(unsigned int *)settle_us);
	for (us = 0; us < 1000; us++) {
		thrm1 = mfspr(SPRN_THRM1);
		if (thrm1 & KV_TIV)
			return !!(thrm1 & KV_TIN);
		udelay(1);
	}
	return -EIO;
}

/*
 * The unit only compares: successive approximation over the 7-bit threshold
 * with THRM1 (signal above), THRM2 idle, THRM3 sampling at its longest
 * interval, as the manuals describe. The registers are restored afterwards.
 * A reading stands for a second, so that no reader can keep preemption off
 * for longer than one search a second.
 */
static int read_temperature(s32 *celsius)
{
	static unsigned long read_at;
	static int last = -1;
	/* SITV counts processor clocks; an unknown clock is taken as slow. */
	unsigned int settle_us =
		DIV_ROUND_UP(KV_SITV_MAX >> 1, max(ppc_proc_freq / 1000000, 100ul));
	u32 thrm1, thrm2, thrm3;
	int result;

	if (!has_tau) {
		*celsius = 0; /* no sensor: what the programs know from the 7450 */
		return 0;
	}
	if (IS_ENABLED(CONFIG_TAU))
		return -ENODATA; /* the kernel's own driver owns THRM1-3 */
	if (last >= 0 && time_before(jiffies, read_at + HZ)) {
		*celsius = last;
		return 0;
	}

	preempt_disable();
	thrm1 = mfspr(SPRN_THRM1);
	thrm2 = mfspr(SPRN_THRM2);
	thrm3 = mfspr(SPRN_THRM3);
	mtspr(SPRN_THRM2, 0);
	result = kv_junction_celsius(hotter_than, &settle_us, &last);
	mtspr(SPRN_THRM1, thrm1);
	mtspr(SPRN_THRM2, thrm2);
	mtspr(SPRN_THRM3, thrm3);
	preempt_enable();
	if (result) {
		last = -1;
		return result;
	}
	read_at = jiffies;
	*celsius = last;
	return 0;
}

/* ----------------------------------------------------------- the nodes */

enum kv_node { KV_PVR, KV_HID0, KV_HID1, KV_TEMP, KV_L2CR, KV_DEFL2CR };

static int read_node(enum kv_node node, char *text, size_t size)
{
	s32 celsius;
	u32 value;
	int result = 0;

	switch (node) {
	case KV_PVR:
		value = mfspr(SPRN_PVR);
		break;
	case KV_HID0:
		value = kv_hid0_get(hid0_managed()) & ~kv_hid0_idle(cpu_kind);
		break;
	case KV_HID1:
		value = mfspr(SPRN_HID1);
		break;
	case KV_TEMP:
		result = read_temperature(&celsius);
		if (result)
			return result;
		return scnprintf(text, size, "%d\n", celsius);
	case KV_L2CR:
		result = get_l2cr(&value);
		break;
	case KV_DEFL2CR:
		value = def_l2cr;
		break;
	default:
		return -EINVAL;
	}
	if (result)
		return result;
	return scnprintf(text, size, "%u\n", value);
}

/* Nothing reaches the processor unless its manual allows the whole word. */
static int check_l2cr(u32 value)
{
	enum kv_l2cr_verdict verdict = kv_check_l2cr(cpu_kind, value, def_l2cr, unverified_l2cr);

	if (verdict == KV_L2CR_OK)
		return 0;
	pr_info_ratelimited("L2CR 0x%08x refused: %s\n", value, kv_l2cr_verdict_text(verdict));
	return -EINVAL;
}

static int write_node(enum kv_node node, u32 value)
{
	switch (node) {
	case KV_HID0:
		return set_hid0(value);
	case KV_L2CR:
		if (!has_l2cr)
			return -EOPNOTSUPP; /* none, or one the programs don't drive */
		return check_l2cr(value) ?: kv_l2_set(value);
	default:
		return -EPERM;
	}
}

/*
 * Strict number parsing: decimal, or hex after "0x"/"0X"; at least one digit;
 * one trailing newline at most; no sign, no blanks; at most 32 bits.
 */
static int parse_word(const char *text, size_t len, u32 *word)
{
	unsigned int base = 10, digit;
	size_t i = 0;
	u64 value = 0;

	if (len && text[len - 1] == '\n')
		len--;
	if (len > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
		base = 16;
		i = 2;
	}
	if (i == len)
		return -EINVAL;
	for (; i < len; i++) {
		if (text[i] >= '0' && text[i] <= '9')
			digit = text[i] - '0';
		else if (base == 16 && text[i] >= 'a' && text[i] <= 'f')
			digit = text[i] - 'a' + 10;
		else if (base == 16 && text[i] >= 'A' && text[i] <= 'F')
			digit = text[i] - 'A' + 10;
		else
			return -EINVAL;
		value = value * base + digit;
		if (value > 0xFFFFFFFFull)
			return -EINVAL;
	}
	*word = (u32)value;
	return 0;
}

#define KV_MAX_TEXT 32

static int kv_handler(struct ctl_table *table, int write, void *buffer, size_t *lenp, loff_t *ppos)
{
	enum kv_node node = (enum kv_node)(uintptr_t)table->extra1;
	char text[KV_MAX_TEXT + 1];
	u32 word;
	int n;

	if (write) {
		/* The file mode lets root in; the registers want an administrator. */
		if (!capable(CAP_SYS_ADMIN))
			return -EPERM;
		/* One whole number in one write: no appending at an offset. */
		if (*ppos != 0 || *lenp == 0 || *lenp > KV_MAX_TEXT)
			return -EINVAL;
		memcpy(text, buffer, *lenp);
		n = parse_word(text, *lenp, &word);
		if (n)
			return n;
		mutex_lock(&kv_lock);
		n = write_node(node, word);
		mutex_unlock(&kv_lock);
		if (n)
			return n;
		*ppos += *lenp;
		return 0;
	}

	mutex_lock(&kv_lock);
	n = read_node(node, text, sizeof(text));
	mutex_unlock(&kv_lock);
	if (n < 0)
		return n;
	if (*ppos >= n) {
		*lenp = 0;
		return 0;
	}
	n -= *ppos;
	if (*lenp < n)
		n = *lenp;
	memcpy(buffer, text + *ppos, n);
	*lenp = n;
	*ppos += n;
	return 0;
}

#define KV_NODE(name_, node_, mode_)                                          \
	{                                                                     \
		.procname = name_, .mode = mode_, .proc_handler = kv_handler, \
		.extra1 = (void *)(uintptr_t)(node_),                         \
	}

static struct ctl_table kv_table[] = { KV_NODE("KorvendalePVR", KV_PVR, 0444),
				       KV_NODE("KorvendaleHID0", KV_HID0, 0644),
				       KV_NODE("KorvendaleHID1", KV_HID1, 0444),
				       KV_NODE("KorvendaleTemp", KV_TEMP, 0444),
				       KV_NODE("KorvendaleL2CR", KV_L2CR, 0644),
				       KV_NODE("KorvendaleDefL2CR", KV_DEFL2CR, 0444),
				       {} };

static struct ctl_table_header *kv_header;

static int __init korvendale_init(void)
{
	u32 pvr = mfspr(SPRN_PVR);
	int result;

	/* The kernel's own Power Macintosh test: not Pegasos, AmigaOne or Wii. */
	if (!of_machine_is_compatible("MacRISC") && !of_machine_is_compatible("Power Macintosh")) {
		pr_err("refusing to load: this machine is not a Power Macintosh\n");
		return -ENODEV;
	}
	if (classify(pvr)) {
		pr_err("refusing to load: processor 0x%08x is not a PowerPC Macintosh processor\n",
		       pvr);
		return -ENODEV;
	}
	result = kv_cpus_init(family == KV_G3 ? KV_L2_READ_FLUSH : KV_L2_HW_FLUSH, has_l2cr);
	if (result)
		return result;
	def_l2cr = has_l2cr ? vouched_l2cr(kv_l2_running()) : 0;
	if (unverified_l2cr && has_l2cr)
		pr_warn("unverified_l2cr: L2CR words are not compared with DefL2CR 0x%08x\n",
			def_l2cr);
	kv_header = register_sysctl("hw", kv_table);
	if (!kv_header) {
		kv_cpus_exit();
		return -ENOMEM;
	}
	return 0;
}

static void __exit korvendale_exit(void)
{
	unregister_sysctl_table(kv_header);
	kv_cpus_exit();
}

module_init(korvendale_init);
module_exit(korvendale_exit);

MODULE_DESCRIPTION("PowerPC G3/G4 L2CR, HID0, HID1, PVR and temperature as /proc/sys/hw words");
MODULE_AUTHOR("Korvendale Developers");
MODULE_LICENSE("Dual MIT/GPL");
