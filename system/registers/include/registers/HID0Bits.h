// The HID0 bits the system shows or changes. HID0 is only ever changed by
// read-modify-write of these bits; every other bit keeps its value.
#pragma once

#include <MacTypes.h>

constexpr UInt32 DPM = 0x00100000; // dynamic power management enabled
constexpr UInt32 SPD = 0x00000200; // speculative cache access disabled
constexpr UInt32 SGE = 0x00000080; // store gathering enabled
constexpr UInt32 BTIC = 0x00000020; // branch target instruction cache enabled
constexpr UInt32 ABE = 0x00000008; // address broadcast enabled

// Speculative access is disabled at boot by setting SPD together with ABE.
constexpr UInt32 kSpeculativeDisableBootBits = SPD | ABE;
static_assert(kSpeculativeDisableBootBits == 0x00000208);
