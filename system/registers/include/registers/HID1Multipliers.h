// HID1's PLL configuration code (bits 0-3) and the processor-to-bus
// multiplier text the tool shows for it. "0.0" marks codes that are no multiplier.
#pragma once

#include <MacTypes.h>

constexpr UInt32 kHID1PLLMask = 0xF0000000;
constexpr int kHID1PLLShift = 28;

extern const char* const cpu_x_table[16];

// The multiplier text for a whole HID1 word.
const char* HID1MultiplierText(UInt32 hid1);
