/* SPDX-License-Identifier: MIT OR GPL-2.0 */
/* The routines of korvendale_l2.S; each is called with interrupts off. */
#ifndef KORVENDALE_L2_H
#define KORVENDALE_L2_H

#include <linux/types.h>

void korv_l2_write_l2cr(u32 word);
void korv_l2_write_hid0(u32 word);
u32 korv_l2_flush_read_disable(u32 off, u32 bytes);
u32 korv_l2_flush_hw_disable(u32 old, u32 off, u32 l1_bytes, u32 ticks);

#endif
