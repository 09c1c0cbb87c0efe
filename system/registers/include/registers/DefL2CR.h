// DefL2CR, the base L2 configuration the kernel extension's own cache test
// found working (L2SIZ, L2RAM, L2OH, L2DF; L2E and L2CLK clear), and how every
// L2CR the system enables is built from it.
#pragma once

#include "registers/L2CRFields.h"

// The reserved values.
constexpr UInt32 kDefL2CRNoWorkingSRAM = 0; // the test found no working configuration
constexpr UInt32 kDefL2CRNotTested = 0xFFFFFFFF; // the test could not get its 512K block

constexpr bool DefL2CRUsable(UInt32 defL2CR)
{
    return defL2CR != kDefL2CRNoWorkingSRAM && defL2CR != kDefL2CRNotTested;
}

// A running configuration: the base with a clock code, write-through if
// asked, and the enable bit. The base's L2CLK is clear as published, so it
// is not cleared first.
constexpr UInt32 RunningL2CR(UInt32 base, UInt32 l2clk, bool writeThrough)
{
    return base | l2clk | (writeThrough ? L2WT : 0) | L2E;
}
