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

#include <linux/cpu.h>
#include <linux/delay.h>
#include <linux/init.h>
#include <linux/kernel.h>
#include <linux/module.h>
#include <linux/mutex.h>
#include <linux/of.h>
#include <linux/smp.h>
#include <linux/string.h>
#include <linux/sysctl.h>

#include <asm/cputable.h>
#include <asm/reg.h>
#include <asm/time.h>

#include "korvendale_cpus.h"

#ifndef CONFIG_PPC_BOOK3S_32
#error "korvendale drives the registers of 32-bit PowerPC (Book3S) processors only"
#endif

/* HID0 bits (L2CR's and the rest of HID0's in korvendale_switch.h). */
#define KV_SPD	0x00000200u
#define KV_SGE	0x00000080u
#define KV_BTIC 0x00000020u
#define KV_ABE	0x00000008u

/* What the startup item and the application switch; nothing else may change. */
#define KV_HID0_MANAGED (KV_DPM | KV_SPD | KV_SGE | KV_BTIC | KV_ABE)

/* "Not tested": the programs refuse to build an L2CR from it. */
#define KV_DEFL2CR_UNTESTED 0xFFFFFFFFu

/* Thermal assist unit (THRM1..3). */
#define KV_TIN		0x80000000u
#define KV_TIV		0x40000000u
#define KV_THRESHOLD(t) (((u32)(t)&0x7f) << 23)
#define KV_THRM_V	0x00000001u
#define KV_THRM3_E	0x00000001u
#define KV_SITV_MAX	(0x1fffu << 1)

enum kv_family {
	KV_G3,	  /* 750 family: backside L2, read-through flush */
	KV_G4,	  /* 7400/7410: backside victim L2, hardware flush */
	KV_745X,  /* on-chip L2 of another layout; the programs don't drive it */
	KV_OTHER, /* 601/603/604/750FX/750GX: no backside L2 the programs know */
};

static enum kv_family family;
static bool has_l2cr, has_tau;
static u32 def_l2cr;
static DEFINE_MUTEX(kv_lock);

static int classify(u32 pvr)
{
	switch (pvr >> 16) {
	case 0x0008:
		family = KV_G3;
		break;
	case 0x000C:
	case 0x800C:
		family = KV_G4;
		break;
	case 0x8000:
	case 0x8001:
	case 0x8002:
	case 0x8003:
	case 0x8004:
		family = KV_745X;
		break;
	case 0x0001: /* 601 */
	case 0x0003: /* 603 */
	case 0x0004: /* 604 */
	case 0x0006: /* 603e */
	case 0x0007: /* 603ev */
	case 0x0009: /* 604e */
	case 0x000A: /* 604ev */
	case 0x7000: /* 750FX */
	case 0x7002: /* 750GX */
		family = KV_OTHER;
		break;
	default:
		return -ENODEV;
	}
	has_l2cr = (family == KV_G3 || family == KV_G4) && cpu_has_feature(CPU_FTR_L2CR);
	has_tau = cpu_has_feature(CPU_FTR_TAU);
	return 0;
}

static u32 hid0_managed(void)
{
	return (family == KV_G3 || family == KV_G4) ? KV_HID0_MANAGED : 0;
}

/* --------------------------------------------------------------- L2CR */

static int get_l2cr(u32 *value)
{
	if (has_l2cr)
		*value = kv_l2_get();
	else if (family == KV_745X && cpu_has_feature(CPU_FTR_L2CR))
		*value = mfspr(SPRN_L2CR) & KV_L2E; /* only L2E means the same there */
	else
		*value = 0;
	return 0;
}

/* -------------------------------------------------------------- DefL2CR */

static u32 firmware_l2cr(void)
{
	const u32 fields = KV_L2SIZ | KV_L2RAM | KV_L2OH | KV_L2DF;
	struct device_node *cpu;
	const __be32 *prop;
	u32 value;
	int len = 0;

	if (!has_l2cr)
		return 0; /* no backside SRAM at all */
	cpu = of_find_node_by_type(NULL, "cpu");
	prop = cpu && !kv_l2_testing() ? of_get_property(cpu, "l2cr-value", &len) : NULL;
	if (prop && len >= (int)sizeof(*prop)) {
		value = be32_to_cpup(prop);
		of_node_put(cpu);
		/* Firmware that wants the L2 off vouches for no configuration. */
		return (value & KV_L2E) ? (value & fields) : KV_DEFL2CR_UNTESTED;
	}
	of_node_put(cpu);
	value = kv_l2_running();
	return (value & KV_L2E) ? (value & fields) : KV_DEFL2CR_UNTESTED;
}

/* ---------------------------------------------------------------- HID0 */

static void sync_isync(void)
{
	__asm__ __volatile__("sync; isync" ::: "memory");
}

struct kv_hid0_call {
	u32 managed, value;
};

static void hid0_on_this_cpu(void *arg)
{
	const struct kv_hid0_call *call = arg;
	u32 hid0 = mfspr(SPRN_HID0);

	hid0 = (hid0 & ~call->managed) | (call->value & call->managed);
	__asm__ __volatile__("sync" ::: "memory");
	mtspr(SPRN_HID0, hid0);
	sync_isync();
}

static int set_hid0(u32 value)
{
	struct kv_hid0_call call = { .managed = hid0_managed(), .value = value };
	u32 now;

	cpus_read_lock();
	now = mfspr(SPRN_HID0);
	if ((now ^ value) & ~call.managed) {
		cpus_read_unlock();
		return -EINVAL;
	}
	/* Each processor keeps its own other bits (its sleep modes, say). */
	on_each_cpu(hid0_on_this_cpu, &call, 1);
	kv_hid0_store(call.managed, value);
	cpus_read_unlock();
	return 0;
}

/* ----------------------------------------------------- thermal assist unit */

/* One comparison: is the junction hotter than `threshold` degrees? */
static int hotter_than(unsigned int threshold, bool *hotter)
{
	unsigned int us;
	u32 thrm1;

	/* The unit is stopped while the threshold changes, so that TIV cannot
	 * stand for a comparison with the previous one. */
	mtspr(SPRN_THRM3, 0);
	mtspr(SPRN_THRM1, KV_THRESHOLD(threshold) | KV_THRM_V);
	mtspr(SPRN_THRM3, KV_SITV_MAX | KV_THRM3_E);
	for (us = 0; us < 1000; us++) {
		thrm1 = mfspr(SPRN_THRM1);
		if (thrm1 & KV_TIV) {
			*hotter = thrm1 & KV_TIN;
			return 0;
		}
		udelay(1);
	}
	return -EIO;
}

/*
 * The unit only compares: successive approximation over the 7-bit threshold
 * with THRM1 (signal above), THRM2 idle, THRM3 sampling at its longest
 * interval, as the manuals describe. The registers are restored afterwards.
 */
static int read_temperature(s32 *celsius)
{
	unsigned int low = 0, high = 127, mid;
	u32 thrm1, thrm2, thrm3;
	bool hotter = false;
	int result = 0;

	if (!has_tau) {
		*celsius = 0; /* no sensor: what the programs know from the 7450 */
		return 0;
	}
	if (IS_ENABLED(CONFIG_TAU))
		return -ENODATA; /* the kernel's own driver owns THRM1-3 */

	preempt_disable();
	thrm1 = mfspr(SPRN_THRM1);
	thrm2 = mfspr(SPRN_THRM2);
	thrm3 = mfspr(SPRN_THRM3);
	mtspr(SPRN_THRM2, 0);
	while (low < high) {
		mid = (low + high + 1) / 2;
		result = hotter_than(mid, &hotter);
		if (result)
			break;
		if (hotter)
			low = mid;
		else
			high = mid - 1;
	}
	mtspr(SPRN_THRM1, thrm1);
	mtspr(SPRN_THRM2, thrm2);
	mtspr(SPRN_THRM3, thrm3);
	preempt_enable();
	if (!result)
		*celsius = low;
	return result;
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
		value = kv_hid0_get(hid0_managed());
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

static int write_node(enum kv_node node, u32 value)
{
	switch (node) {
	case KV_HID0:
		return set_hid0(value);
	case KV_L2CR:
		if (!has_l2cr)
			return -EOPNOTSUPP; /* none, or one the programs don't drive */
		return kv_l2_set(value);
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

	if (classify(pvr)) {
		pr_err("refusing to load: processor 0x%08x is not a PowerPC Macintosh processor\n",
		       pvr);
		return -ENODEV;
	}
	result = kv_cpus_init(family == KV_G3 ? KV_L2_READ_FLUSH : KV_L2_HW_FLUSH, has_l2cr);
	if (result)
		return result;
	def_l2cr = firmware_l2cr();
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
