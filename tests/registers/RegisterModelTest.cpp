// The register model as the programs see it: names, texts and speeds for
// given register words. Expected values are written out, never looked up.
#include <registers/HID1Multipliers.h>
#include <registers/L2CRFields.h>
#include <registers/L2CacheSpeed.h>
#include <registers/ProcessorNames.h>
#include <registers/RatioSelection.h>

#include <gtest/gtest.h>
#include <string>
#include <testkit/PString.h>

namespace {

const auto Pascal = testkit::text;

TEST(ProcessorNames, NamedByTheUpperHalfOfThePVR)
{
    struct {
        UInt32 pvr;
        const char* name;
    } const cases[] = {
        {0x00010001, "PowerPC 601"},
        {0x00020000, "PowerPC 602"},
        {0x00030000, "PowerPC 603"},
        {0x00040103, "PowerPC 604"},
        {0x00060000, "PowerPC 603e"},
        {0x00070000, "PowerPC 603ev"},
        {0x00083214, "PowerPC 750"},
        {0x00090202, "PowerPC 604e"},
        {0x000A0000, "PowerPC 604ev"},
        {0x000C0209, "PowerPC 7400"},
        {0x00140000, "PowerPC 620"},
        {0x80000201, "PowerPC 7450"},
        {0x800C1101, "PowerPC 7410"},
        {0x00050000, "Unrecognized CPU"},
        {0x00000000, "Unrecognized CPU"},
        {0x000C8000, "PowerPC 7400"},
        {0x800D0000, "Unrecognized CPU"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pascal(ProcessorNameForPVR(c.pvr)), c.name) << std::hex << c.pvr;
}

TEST(HID1Multipliers, EveryPLLCode)
{
    const char* const expected[16] = {"9.0", "7.5", "7.0", "0.0", "0.0", "6.5", "10.0", "4.5", "3.0", "5.5",
        "4.0", "5.0", "8.0", "6.0", "3.5", "0.0"};
    for (UInt32 code = 0; code < 16; ++code)
        EXPECT_STREQ(HID1MultiplierText((code << 28) | 0x0ABCDEF1), expected[code]) << code;
}

TEST(L2CRDecoding, FieldsOfWholeWords)
{
    struct {
        UInt32 l2cr;
        const char* size;
        const char* ratio; // nullptr: no ratio
        const char* ramTool;
        const char* ramApp;
        const char* holdTool;
        const char* holdApp;
    } const cases[] = {
        {0xA9800000, "512 K", "2:1", "Pipelined late-write", "Pipelined late-write", "0.5 nS", ", 0.5 nS"},
        {0x93010000, "256 K", "1:1", "Pipelined synchronous", "Pipelined synchronous", "1.0 nS", ", 1.0 nS"},
        {0xB6820000, "1 MB", "7:2", "Incorrect SDRAM type", "Incorrectly configured", "1.5 nS", ", 1.5 nS"},
        {0x8E030000, "2 MB", "4:1", "Flow-through", "Flow-through", "2.0 nS", ", 2.0 nS"},
        {0x85800000, "2 MB", "3:2", "Pipelined late-write", "Pipelined late-write", "0.5 nS", ", 0.5 nS"},
        {0xAA000000, "512 K", "5:2", "Flow-through", "Flow-through", "0.5 nS", ", 0.5 nS"},
        {0xBC000000, "1 MB", "3:1", "Flow-through", "Flow-through", "0.5 nS", ", 0.5 nS"},
        {0xA1800000, "512 K", nullptr, "Pipelined late-write", "Pipelined late-write", "0.5 nS", ", 0.5 nS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.l2cr);
        EXPECT_EQ(Pascal(L2SizeCodeOf(c.l2cr).text), c.size);
        EXPECT_STREQ(CString(L2SizeCodeOf(c.l2cr).text), c.size);
        const L2ClockRatio* ratio = L2ClockRatioOf(c.l2cr);
        if (c.ratio) {
            ASSERT_NE(ratio, nullptr);
            EXPECT_STREQ(CString(ratio->ratioText), c.ratio);
            EXPECT_EQ(Pascal(ratio->speedSuffixText), std::string(" MHz [") + c.ratio + "]");
        } else {
            EXPECT_EQ(ratio, nullptr);
        }
        EXPECT_STREQ(CString(L2RAMCodeOf(c.l2cr).toolText), c.ramTool);
        EXPECT_EQ(Pascal(L2RAMCodeOf(c.l2cr).appText), c.ramApp);
        EXPECT_STREQ(CString(L2OutputHoldCodeOf(c.l2cr).toolText), c.holdTool);
        EXPECT_EQ(Pascal(L2OutputHoldCodeOf(c.l2cr).appText), c.holdApp);
    }
}

TEST(L2CacheSpeed, FormulasTruncateInThirtyTwoBits)
{
    struct {
        UInt32 l2cr;
        UInt32 processorHz;
        UInt32 expected;
    } const cases[] = {
        {0x82000000, 400000000, 400000000}, {0x84000000, 400000000, 266666667},
        {0x88000000, 400000000, 200000000}, {0x8A000000, 400000000, 160000000},
        {0x8C000000, 400000000, 133333333}, {0x86000000, 400000000, 114285714},
        {0x8E000000, 400000000, 100000000}, {0x8A000000, 466666666, 186666666},
        {0x8C000000, 500000000, 166666667}, {0xB9834000, 350000000, 175000000},
        {0x29800000, 400000000, 0}, // disabled, even with a clock code
        {0x0C000000, 400000000, 0}, {0xA1800000, 400000000, 0}, // enabled without a clock
    };
    for (const auto& c : cases)
        EXPECT_EQ(L2CacheSpeedFor(c.l2cr, c.processorHz), c.expected) << std::hex << c.l2cr;
}

TEST(RatioSelection, SelectionsAndClockCodes)
{
    const UInt32 codeOfSelection[10]
        = {0, 0, 0x02000000, 0x04000000, 0x08000000, 0x0A000000, 0x0C000000, 0x06000000, 0x0E000000, 0};
    for (UInt32 selection = 0; selection < 10; ++selection)
        EXPECT_EQ(L2CLKForRatioSelection(selection), codeOfSelection[selection]) << selection;
    EXPECT_EQ(L2CLKForRatioSelection(0xFFFFFFFF), 0u);

    struct {
        UInt32 l2cr;
        UInt32 selection;
    } const back[] = {
        {0x02000000, 2},
        {0x04000000, 3},
        {0x08000000, 4},
        {0x0A000000, 5},
        {0x0C000000, 6},
        {0x06000000, 7},
        {0x0E000000, 8},
        {0x00000000, 0},
        {0xB1834000, 0},
        {0x3D880000, 6},
    };
    for (const auto& c : back)
        EXPECT_EQ(RatioSelectionForL2CR(c.l2cr), c.selection) << std::hex << c.l2cr;
}

TEST(RegisterText, LengthPrefixedWithACStringView)
{
    ConstStringPtr text = kL2DFToolText;
    EXPECT_EQ(text[0], 12);
    EXPECT_STREQ(CString(text), "Differential");
    EXPECT_EQ(Pascal(kL2DFAppText), ", differential");
    EXPECT_EQ(Pascal(kL2NoRatioAppText), "Incorrectly configured");
}

} // namespace
