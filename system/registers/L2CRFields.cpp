#include "registers/L2CRFields.h"

#include "registers/RatioSelection.h"

const L2SizeCode l2SizeCodes[kL2SizeCodeCount] = {
    {0x10000000, 256, "256", "256 K, ", DSTR("256 K")},
    {0x20000000, 512, "512", "512 K, ", DSTR("512 K")},
    {0x30000000, 1024, "1024", "1 MB, ", DSTR("1 MB")},
    {0x00000000, 2048, "2048", "2 MB, ", DSTR("2 MB")},
};

// Not in numeric order of the code: 7:2 is 0x06000000, between 3:2 and 2:1.
const L2ClockRatio l2ClockRatios[kL2ClockRatioCount] = {
    {kOneToOne, "1.0", DSTR("1:1"), DSTR(" MHz [1:1]"), kOneToOneSelection, 1, 0, 1},
    {kThreeToTwo, "1.5", DSTR("3:2"), DSTR(" MHz [3:2]"), kThreeToTwoSelection, 2, 1, 3},
    {0x08000000, "2.0", DSTR("2:1"), DSTR(" MHz [2:1]"), kTwoToOneSelection, 1, 1, 2},
    {0x0A000000, "2.5", DSTR("5:2"), DSTR(" MHz [5:2]"), kFiveToTwoSelection, 2, 2, 5},
    {0x0C000000, "3.0", DSTR("3:1"), DSTR(" MHz [3:1]"), kThreeToOneSelection, 1, 1, 3},
    {0x06000000, "3.5", DSTR("7:2"), DSTR(" MHz [7:2]"), kSevenToTwoSelection, 2, 3, 7},
    {0x0E000000, "4.0", DSTR("4:1"), DSTR(" MHz [4:1]"), kFourToOneSelection, 1, 2, 4},
};

// 0x00800000 is no valid SRAM type; the two programs word it differently.
const L2RAMCode l2RAMCodes[kL2RAMCodeCount] = {
    {0x00000000, DSTR("Flow-through"), DSTR("Flow-through")},
    {0x00800000, DSTR("Incorrect SDRAM type"), DSTR("Incorrectly configured")},
    {0x01000000, DSTR("Pipelined synchronous"), DSTR("Pipelined synchronous")},
    {0x01800000, DSTR("Pipelined late-write"), DSTR("Pipelined late-write")},
};

const L2OutputHoldCode l2OutputHoldCodes[kL2OutputHoldCodeCount] = {
    {0x00000000, DSTR("0.5 nS"), DSTR(", 0.5 nS")},
    {0x00010000, DSTR("1.0 nS"), DSTR(", 1.0 nS")},
    {0x00020000, DSTR("1.5 nS"), DSTR(", 1.5 nS")},
    {0x00030000, DSTR("2.0 nS"), DSTR(", 2.0 nS")},
};

const ConstStringPtr kL2DFToolText = DSTR("Differential");
const ConstStringPtr kL2DFAppText = DSTR(", differential");
const ConstStringPtr kL2NoRatioAppText = DSTR("Incorrectly configured");

const L2SizeCode& L2SizeCodeOf(UInt32 l2cr)
{
    for (const L2SizeCode& code : l2SizeCodes) {
        if ((l2cr & L2SIZ) == code.fieldValue)
            return code;
    }
    return l2SizeCodes[kL2SizeCodeCount - 1]; // unreachable: the four codes cover the field
}

const L2ClockRatio* L2ClockRatioOf(UInt32 l2cr)
{
    for (const L2ClockRatio& ratio : l2ClockRatios) {
        if ((l2cr & L2CLK) == ratio.fieldValue)
            return &ratio;
    }
    return nullptr;
}

const L2RAMCode& L2RAMCodeOf(UInt32 l2cr)
{
    return l2RAMCodes[(l2cr & L2RAM) >> 23];
}

const L2OutputHoldCode& L2OutputHoldCodeOf(UInt32 l2cr)
{
    return l2OutputHoldCodes[(l2cr & L2OH) >> 16];
}
