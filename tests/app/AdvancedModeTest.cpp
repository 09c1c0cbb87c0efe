// Advanced mode: Option held at launch, or a saved ratio choice that only
// advanced mode offers; a saved automatic choice is replaced by a ratio the
// user can see, with a stop alert saying so.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace apptest {
namespace {

using testkit::prefs::kRatioSelection;
constexpr int kAdvancedTarnwickHeight = 199 + 104 + 32;

TEST(AdvancedMode, OptionHeldAtLaunchOffersEveryRatio)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    // The pop-up shows 2:1, item 4 of 8; 4:1 is the last item, four rows down.
    const AppRun run = runTarnwick("keys option\nclick-title Tarnwick\nsnapshot @DIR@/tab.png\n"
                                   "press 348 148\nrelease 348 212\n");
    ASSERT_EQ(run.status, 0) << run.err;
    // "Recommended ratio: Not tested", the rows below 15 pixels lower, the
    // dimmed Test Ratio button.
    expectWindowMatchesGolden(run.snapshot("tab.png"), "tarnwick-advanced", kAdvancedTarnwickHeight);
    EXPECT_EQ(writesByApp(machine, "hw.KorvendaleL2CR"), std::vector<uint32_t> {0xBF000000});
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), 8);
}

TEST(AdvancedMode, TheAutomaticEntryCannotBeChosen)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick("keys option\nclick-title Tarnwick\npress 348 148\nrelease 348 100\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleL2CR").empty());
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), 4);
}

struct AutomaticCase {
    const char* name;
    const char* l2cr;
    const char* alert; // what the Dialog Manager logged first, if anything
    uint8_t storedAtQuit;
};

const AutomaticCase kAutomaticCases[] = {
    {"CacheOffBecomesThreeToOne", "l2cr=0x31000000", "alert 132:  |  |  | ", 6},
    {"CacheOnBecomesTheRatioInUse", "l2cr=0xB9000000", "alert 133:  |  |  | ", 4},
    {"CacheOnWithoutAClockStaysAutomatic", "l2cr=0xB1000000", nullptr, 1},
};

class SavedAutomaticChoice : public testing::TestWithParam<AutomaticCase> { };

TEST_P(SavedAutomaticChoice, IsReplacedWhileTheWindowIsBuilt)
{
    const AutomaticCase& c = GetParam();
    testkit::ScopedMachine machine;
    machine.set({c.l2cr});
    machine.loadExtension();
    writeBytes(machine.prefsFile(), testkit::prefs::record(1));

    const AppRun run = runTarnwick(c.alert ? "click-title OK\n" : "");
    ASSERT_EQ(run.status, 0) << run.err;
    if (c.alert) {
        ASSERT_FALSE(run.dialogs().empty());
        EXPECT_EQ(run.dialogs().front(), c.alert);
    } else {
        EXPECT_TRUE(run.dialogs().empty()) << run.err;
    }
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), c.storedAtQuit);
}

INSTANTIATE_TEST_SUITE_P(Caches, SavedAutomaticChoice, testing::ValuesIn(kAutomaticCases),
    [](const testing::TestParamInfo<AutomaticCase>& info) { return std::string(info.param.name); });

// With the automatic entry kept, "On" has no ratio to use: after the
// warning, whichever way it is answered, nothing is written and the buttons
// still show the cache running.
TEST(SavedAutomaticChoice, OnWarnsAndLeavesTheCacheAsItIs)
{
    for (const char* answer : {"Continue", "Cancel"}) {
        SCOPED_TRACE(answer);
        testkit::ScopedMachine machine;
        machine.set({"l2cr=0xB1000000"});
        machine.loadExtension();
        writeBytes(machine.prefsFile(), testkit::prefs::record(1));

        // On sits 15 pixels lower in advanced mode.
        const AppRun run = runTarnwick("click-title Tarnwick\nsnapshot @DIR@/before.png\nclick 310 183\n"
                                       "click-title "
            + std::string(answer) + "\nsnapshot @DIR@/after.png\n");
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_FALSE(run.dialogs().empty());
        EXPECT_EQ(run.dialogs().front(), "dialog 128:  |  |  | ");
        EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleL2CR").empty());
        EXPECT_EQ(machine.get("l2cr"), 0xB1000000u);
        // The On and Off buttons (global 304..339, 177..208), "On" selected.
        EXPECT_TRUE(sameRegion(run.snapshot("before.png"), run.snapshot("after.png"), 300, 175, 345, 210));
    }
}

TEST(SavedChoice, SevenToTwoTurnsAdvancedModeOn)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0xB7000000"}); // on, 7:2
    machine.loadExtension();
    const AppRun run = runTarnwick("click-title Tarnwick\nsnapshot @DIR@/tab.png\n");
    ASSERT_EQ(run.status, 0) << run.err;
    // Advanced layout; the pop-up reads 114 MHz [7:2].
    expectWindowMatchesGolden(run.snapshot("tab.png"), "tarnwick-seven-to-two", kAdvancedTarnwickHeight);
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), 7);
}

} // namespace
} // namespace apptest
