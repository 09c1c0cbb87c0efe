// The "Other" tab: speculative access and dynamic power management switched
// at once through HID0, their boxes kept for the next boot, and every setting
// control dimmed for a user who may not write the preferences.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace apptest {
namespace {

const std::string kSpeculativeOn = "click 310 119\n";
const std::string kSpeculativeOff = "click 310 138\n";
const std::string kPowerManagementOn = "click 360 208\n";
const std::string kPowerManagementOff = "click 360 227\n";

struct SwitchCase {
    const char* name;
    std::string clicks;
    std::vector<uint32_t> hid0Writes; // from 0x8010C080: DPM on, SPD clear
};

const SwitchCase kSwitchCases[] = {
    {"SpeculativeOffSetsSPD", kSpeculativeOff, {0x8010C280}},
    {"SpeculativeOnClearsSPD", kSpeculativeOff + kSpeculativeOn, {0x8010C280, 0x8010C080}},
    {"SpeculativeOnAgainRepeatsTheWrite", kSpeculativeOn, {0x8010C080}},
    {"PowerManagementOffClearsDPM", kPowerManagementOff, {0x8000C080}},
    {"PowerManagementOnSetsDPM", kPowerManagementOff + kPowerManagementOn, {0x8000C080, 0x8010C080}},
};

class HID0Switches : public testing::TestWithParam<SwitchCase> { };

TEST_P(HID0Switches, WriteHID0AtOnce)
{
    const SwitchCase& c = GetParam();
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick("click-title Other\n" + c.clicks);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(writesByApp(machine, "hw.KorvendaleHID0"), c.hid0Writes);
}

INSTANTIATE_TEST_SUITE_P(Buttons, HID0Switches, testing::ValuesIn(kSwitchCases),
    [](const testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

TEST(OtherTab, TheBoxesReachThePreferencesAtQuit)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick("click-title Other\n"
                                   "click-title Disable Speculative Access on Restart\n"
                                   "click-title Enable Dynamic Power Management on Restart\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto prefs = readBytes(machine.prefsFile());
    ASSERT_EQ(prefs.size(), 36u);
    EXPECT_EQ(prefs[testkit::prefs::kDisableSpeculativeAccess], 1) << "0 by default for machine type 406";
    EXPECT_EQ(prefs[testkit::prefs::kEnableDPM], 0);
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleHID0").empty()) << "the boxes act at the next boot only";
}

// A 604e: the panes cannot drive it, so every setting control is dimmed.
TEST(UnsupportedProcessor, EverySettingControlIsDimmed)
{
    testkit::ScopedMachine machine("pm9500-200");
    machine.loadExtension();
    const AppRun run = runTarnwick("click-title Tarnwick\nclick 310 168\nsnapshot @DIR@/tarnwick.png\n"
                                   "click-title Other\n"
        + kSpeculativeOn + kPowerManagementOn + "snapshot @DIR@/other.png\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleL2CR").empty());
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleHID0").empty());
    // "Not present" for type, size and Current L2CR; the pop-up with its
    // plain ratio texts, the buttons and boxes dimmed.
    expectWindowMatchesGolden(run.snapshot("tarnwick.png"), "tarnwick-unsupported", 305);
    // Both radio groups and both boxes dimmed, "Off" selected in both.
    expectWindowMatchesGolden(run.snapshot("other.png"), "other-unsupported", 210);
}

// CI runs as root, whom no folder refuses; the user "nobody" may not write
// into the startup item's folder, so every setting control is dimmed and
// the write of the preferences at quit, known to be refused, is skipped.
TEST(Unauthorized, EverySettingControlIsDimmedAndNothingIsWritten)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const auto before = readBytes(machine.prefsFile());
    const AppRun run = runTarnwickAsNobody(machine,
        "click-title Tarnwick\n"
        "snapshot @DIR@/tarnwick.png\n"
        "click 310 187\n" // the cache's Off
        "click-title Write-Thru Mode\n"
        "click-title Other\n"
        "snapshot @DIR@/other.png\n"
            + kSpeculativeOff + kPowerManagementOff);

    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleL2CR").empty());
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleHID0").empty());
    EXPECT_EQ(machine.get("l2cr"), 0xB9000000u);
    expectWindowMatchesGolden(run.snapshot("tarnwick.png"), "tarnwick-unauthorized", 305);
    expectWindowMatchesGolden(run.snapshot("other.png"), "other-unauthorized", 210);

    // A quiet quit: no alert, exit status 0, and the folder holds what it held.
    EXPECT_TRUE(run.dialogs().empty()) << run.dialogs().front();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(machine.prefsFile()), before);
}

} // namespace
} // namespace apptest
