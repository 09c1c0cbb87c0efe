// Switching the backside cache on and off and its write-through mode from
// the "Tarnwick" tab, and the boxes that reach the preferences file.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace apptest {
namespace {

// The On and Off buttons of the backside cache sub-pane, in normal mode.
const std::string kClickOn = "click-title Tarnwick\nclick 310 168\n";
const std::string kClickOff = "click-title Tarnwick\nclick 310 187\n";

struct StatusCase {
    const char* name;
    std::vector<std::string> machine;
    std::string script;
    std::vector<uint32_t> l2crWrites;
};

// The sawtooth's SRAM gives DefL2CR 0x31000000; fresh preferences for a
// cache that is off hold 3:1 (0x0C000000) with write-through ticked.
const StatusCase kStatusCases[] = {
    {"OffWritesZero", {}, kClickOff, {0x00000000}},
    {"OffWritesZeroAlsoWhenOff", {"l2cr=0x31000000"}, kClickOff, {0x00000000}},
    {"OnStartsFromTheDefaultWithTheShownRatio", {"l2cr=0x00000000"}, kClickOn, {0xBD080000}},
    {"OnLeavesWriteThroughOutWhenItsBoxIsClear", {"l2cr=0x00000000"},
        "click-title Tarnwick\nclick-title Write-Thru Mode\n" + kClickOn, {0xBD000000}},
    {"OnAgainRepeatsTheWrite", {}, kClickOn, {0xB9000000}},
    {"OnUsesTheRatioChosenWhileOff", {"l2cr=0x00000000"},
        "click-title Tarnwick\npress 348 148\nrelease 348 116\n" + kClickOn, {0xB9080000}}, // 3:1 -> 2:1
    {"OnWithoutAWorkingDefaultWritesNothing", {"l2cr=0x00000000", "sram-bad=1"}, kClickOn, {}},
    {"OnWithAnUntestedDefaultWritesNothing", {"l2cr=0x00000000", "l2-test-alloc-fails=1"}, kClickOn, {}},
    {"WriteThroughRewritesOnlyItsBit", {},
        "click-title Tarnwick\nclick-title Write-Thru Mode\nclick-title Write-Thru Mode\n",
        {0xB9080000, 0xB9000000}},
    {"WriteThroughWithTheCacheOffWritesNothing", {"l2cr=0x39000000"},
        "click-title Tarnwick\nclick-title Write-Thru Mode\n", {}},
};

class CacheStatus : public testing::TestWithParam<StatusCase> { };

TEST_P(CacheStatus, WritesL2CRAtOnce)
{
    const StatusCase& c = GetParam();
    testkit::ScopedMachine machine;
    if (!c.machine.empty())
        machine.set(c.machine);
    machine.loadExtension();

    const AppRun run = runTarnwick(c.script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(writesByApp(machine, "hw.KorvendaleL2CR"), c.l2crWrites);
    EXPECT_TRUE(run.dialogs().empty()) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Buttons, CacheStatus, testing::ValuesIn(kStatusCases),
    [](const testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

// Without a working default the boxes are dimmed and "On" falls back to
// what the cache does: "Bad SRAMs" in the type and size rows.
TEST(CacheStatus, WithoutAWorkingDefaultTheBoxesAreDimmed)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0x00000000", "sram-bad=1"});
    machine.loadExtension();
    const AppRun run = runTarnwick(kClickOn + "snapshot @DIR@/tab.png\n");
    ASSERT_EQ(run.status, 0) << run.err;
    expectWindowMatchesGolden(run.snapshot("tab.png"), "tarnwick-bad-srams", 305);
}

TEST(CacheStatus, TheBoxesReachThePreferencesAtQuit)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick(
        "click-title Tarnwick\nclick-title Enable Backside Cache on Restart\nclick-title Write-Thru Mode\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto prefs = readBytes(machine.prefsFile());
    ASSERT_EQ(prefs.size(), 36u);
    EXPECT_EQ(prefs[testkit::prefs::kEnableCacheOnRestart], 0);
    EXPECT_EQ(prefs[testkit::prefs::kWriteThrough], 1);
}

} // namespace
} // namespace apptest
