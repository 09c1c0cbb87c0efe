// L2CR, the backside L2 cache configuration register: its fields, the codes
// each field takes and how the tool and the application word them. A field is
// decoded by ANDing the register with its mask and comparing the result,
// unshifted, with the field values below. DefL2CR has the same layout.
#pragma once

#include "registers/RegisterText.h"

#include <MacTypes.h>

constexpr UInt32 L2E = 0x80000000; // cache enabled; when clear nothing else is decoded
constexpr UInt32 L2SIZ = 0x30000000; // size code
constexpr UInt32 L2CLK = 0x0E000000; // clock divisor code, 0 = clock off
constexpr UInt32 L2RAM = 0x01800000; // SRAM type code
constexpr UInt32 L2WT = 0x00080000; // write-through mode
constexpr UInt32 L2OH = 0x00030000; // output hold time code
constexpr UInt32 L2DF = 0x00004000; // differential clock

// The two ratios that run the cache at or near the processor's clock, which
// the application warns about before it applies them.
constexpr UInt32 kOneToOne = 0x02000000;
constexpr UInt32 kThreeToTwo = 0x04000000;

constexpr bool L2CacheEnabled(UInt32 l2cr)
{
    return (l2cr & L2E) != 0;
}

// The complements the system clears fields with.
constexpr UInt32 kClearL2CLK = 0xF1FFFFFF;
constexpr UInt32 kClearL2WT = 0xFFF7FFFF;
constexpr UInt32 kClearL2SIZ = 0xCFFFFFFF;
static_assert(kClearL2CLK == ~L2CLK && kClearL2WT == ~L2WT && kClearL2SIZ == ~L2SIZ);

struct L2SizeCode {
    UInt32 fieldValue;
    UInt32 kilobytes;
    const char* optionArgument; // the tool's -s argument
    const char* registerLineText; // the tool's L2CR line, before the ratio
    ConstStringPtr text; // the tool's base block and the application
};

struct L2ClockRatio {
    UInt32 fieldValue;
    const char* optionArgument; // the tool's -r argument
    ConstStringPtr ratioText; // "1:1", both programs
    ConstStringPtr speedSuffixText; // " MHz [1:1]", drawn after a speed by the application
    UInt32 ratioSelection; // the ratio pop-up item, 2..8
    // L2 clock from the processor clock s: (multiplier * s + addend) / divisor,
    // in unsigned 32-bit arithmetic, truncating: the nearest hertz, halves up.
    UInt32 multiplier;
    UInt32 addend;
    UInt32 divisor;
};

struct L2RAMCode {
    UInt32 fieldValue;
    ConstStringPtr toolText;
    ConstStringPtr appText;
};

struct L2OutputHoldCode {
    UInt32 fieldValue;
    ConstStringPtr toolText;
    ConstStringPtr appText;
};

constexpr int kL2SizeCodeCount = 4;
constexpr int kL2ClockRatioCount = 7;
constexpr int kL2RAMCodeCount = 4;
constexpr int kL2OutputHoldCodeCount = 4;

// In the order the system lists and tries them: sizes 256 K to 2 MB, ratios by
// increasing divisor (1:1, 3:2, 2:1, 5:2, 3:1, 7:2, 4:1), the others by value.
extern const L2SizeCode l2SizeCodes[kL2SizeCodeCount];
extern const L2ClockRatio l2ClockRatios[kL2ClockRatioCount];
extern const L2RAMCode l2RAMCodes[kL2RAMCodeCount];
extern const L2OutputHoldCode l2OutputHoldCodes[kL2OutputHoldCodeCount];

extern const ConstStringPtr kL2DFToolText; // "Differential"
extern const ConstStringPtr kL2DFAppText; // ", differential"
extern const ConstStringPtr kL2NoRatioAppText; // "Incorrectly configured", for L2CLK 0 with L2E set

// Decoders of a whole register word. Every value of L2SIZ, L2RAM and L2OH has
// a code, so those never fail; an L2CLK of 0 has no ratio and gives nullptr.
const L2SizeCode& L2SizeCodeOf(UInt32 l2cr);
const L2ClockRatio* L2ClockRatioOf(UInt32 l2cr);
const L2RAMCode& L2RAMCodeOf(UInt32 l2cr);
const L2OutputHoldCode& L2OutputHoldCodeOf(UInt32 l2cr);
