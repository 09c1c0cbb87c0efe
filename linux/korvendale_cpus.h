/* SPDX-License-Identifier: MIT OR GPL-2.0 */
/*
 * L2CR and HID0 across the processors: every online one, and each that comes
 * online later.
 */
#ifndef KORVENDALE_CPUS_H
#define KORVENDALE_CPUS_H

#include <linux/types.h>

#include "korvendale_switch.h"

int kv_cpus_init(enum korv_l2_kind kind, bool has_l2cr);
void kv_cpus_exit(void);

/* This processor's L2CR as the switch starts from it. */
u32 kv_l2_running(void);
bool kv_l2_testing(void);
/*
 * The write, on every online processor; all of them end with the L2 off if it
 * fails on one. Called under the module's lock.
 */
int kv_l2_set(u32 value);
/* This processor's L2CR; says so in the log when the processors disagree. */
u32 kv_l2_get(void);
u32 kv_hid0_get(u32 managed);
/*
 * What a processor coming online gets (after a successful write); called
 * with the hotplug lock held.
 */
void kv_hid0_store(u32 managed, u32 value);

#endif
