// Choosing the backside cache ratio in the pop-up: what reaches L2CR at once,
// what the preferences file holds at quit, and the speed warning that 1:1
// and 3:2 raise.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace apptest {
namespace {

// The pop-up on the "Tarnwick" tab (sub-pane rectangle 144,54,244,69 at the
// window's band corner 4,27; the window's content at 150,60). Its menu opens
// with the shown item under the mouse, items 16 pixels apart.
std::string ChooseRatio(int rowsFromShown)
{
    return "click-title Tarnwick\npress 348 148\nrelease 348 " + std::to_string(148 + 16 * rowsFromShown)
        + "\n";
}

using testkit::prefs::kDisplay21Warning;
using testkit::prefs::kRatioSelection;

TEST(CacheRatio, TwoToOneWithTheCacheOnRewritesOnlyTheClockField)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0xBB000000"}); // on, 5:2
    machine.loadExtension();

    const AppRun run = runTarnwick(ChooseRatio(-1)); // 5:2 -> 2:1
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(writesByApp(machine, "hw.KorvendaleL2CR"), std::vector<uint32_t> {0xB9000000});
    EXPECT_EQ(machine.get("l2cr"), 0xB9000000u);
    EXPECT_TRUE(run.dialogs().empty()) << "no warning for 2:1";
    const auto prefs = readBytes(machine.prefsFile());
    ASSERT_EQ(prefs.size(), 36u);
    EXPECT_EQ(prefs[kRatioSelection], 4) << "2:1";
}

TEST(CacheRatio, WithTheCacheOffNothingChanges)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0x3B000000"}); // off, clock field 5:2
    machine.loadExtension();

    const AppRun run = runTarnwick(ChooseRatio(-1));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleL2CR").empty());
    EXPECT_EQ(machine.get("l2cr"), 0x3B000000u);
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), 5)
        << "the 5:2 of the clock field, unchanged";
}

TEST(CacheRatio, ChoosingTheRatioAlreadyStoredDoesNothing)
{
    testkit::ScopedMachine machine;
    machine.loadExtension(); // on, 2:1
    const AppRun run = runTarnwick(ChooseRatio(0));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleL2CR").empty());
    EXPECT_TRUE(run.dialogs().empty());
}

// "On" starts the cache at the item shown, which need not be the one stored:
// choosing the stored item afterwards must still reach the register.
TEST(CacheRatio, AChoiceIsWeighedAgainstTheRatioInForce)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0xBD000000"}); // on, 3:1: the stored choice
    machine.loadExtension();

    const AppRun run = runTarnwick("click-title Tarnwick\nclick 310 187\n" // Off
        + ChooseRatio(-1) + "click 310 168\n" // 5:2 shown, then On
        + ChooseRatio(1)); // back to 3:1
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(writesByApp(machine, "hw.KorvendaleL2CR"),
        (std::vector<uint32_t> {0x00000000, 0xBB000000, 0xBD000000}));
    EXPECT_EQ(machine.get("l2cr"), 0xBD000000u);
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), 6);
}

// The ratio "On" starts the cache at is the one the next boot applies.
TEST(CacheRatio, OnKeepsTheRatioItStartedTheCacheAt)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0xBD000000"}); // on, 3:1: the stored choice
    machine.loadExtension();

    const AppRun run = runTarnwick("click-title Tarnwick\nclick 310 187\n" // Off
        + ChooseRatio(-1) + "click 310 168\n"); // 5:2 shown, then On
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(machine.get("l2cr"), 0xBB000000u);
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), 5) << "5:2";
}

struct WarningCase {
    const char* name;
    int rows; // from 2:1, the item shown
    const char* answer; // the button the user presses
    const char* logged; // the dialog with its parameters
    std::vector<uint32_t> l2crWrites;
    uint8_t storedSelection;
};

const WarningCase kWarningCases[] = {
    {"OneToOneDeclined", -2, "Cancel", "dialog 130: 400 | 1:1 |  | ", {}, 4},
    {"OneToOneAccepted", -2, "Change", "dialog 130: 400 | 1:1 |  | ", {0xB3000000}, 2},
    {"ThreeToTwoDeclined", -1, "Cancel", "dialog 130: 267 | 3:2 |  | ", {}, 4},
    {"ThreeToTwoAccepted", -1, "Change", "dialog 130: 267 | 3:2 |  | ", {0xB5000000}, 3},
};

class CacheSpeedWarning : public testing::TestWithParam<WarningCase> { };

TEST_P(CacheSpeedWarning, AsksBeforeAFastRatio)
{
    const WarningCase& c = GetParam();
    testkit::ScopedMachine machine;
    machine.loadExtension(); // 400 MHz, cache on at 2:1

    const AppRun run = runTarnwick(ChooseRatio(c.rows) + "click-title " + c.answer + "\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(run.dialogs().empty());
    EXPECT_EQ(run.dialogs().front(), c.logged);
    EXPECT_EQ(writesByApp(machine, "hw.KorvendaleL2CR"), c.l2crWrites);
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), c.storedSelection);
}

INSTANTIATE_TEST_SUITE_P(Answers, CacheSpeedWarning, testing::ValuesIn(kWarningCases),
    [](const testing::TestParamInfo<WarningCase>& info) { return std::string(info.param.name); });

// Declining puts the pop-up back on the stored ratio.
TEST(CacheSpeedWarning, DecliningShowsTheStoredRatioAgain)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick(ChooseRatio(-2) + "click-title Cancel\nsnapshot @DIR@/tab.png\n");
    ASSERT_EQ(run.status, 0) << run.err;
    // The pop-up reads 200 MHz [2:1], Current L2CR 0xB9000000.
    expectWindowMatchesGolden(run.snapshot("tab.png"), "tarnwick-g4", 305);
}

TEST(CacheSpeedWarning, TickingItsBoxSilencesItInLaterRuns)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun first
        = runTarnwick(ChooseRatio(-1) + "click 194 241\nclick-title Change\n"); // the box, then Change
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.dialogs().front(), "dialog 130: 267 | 3:2 |  | ");
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kDisplay21Warning), 0);

    const AppRun second = runTarnwick(ChooseRatio(-1)); // 3:2 -> 1:1, unasked
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_TRUE(second.dialogs().empty());
    EXPECT_EQ(writesByApp(machine, "hw.KorvendaleL2CR"), (std::vector<uint32_t> {0xB5000000, 0xB3000000}));
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kRatioSelection), 2);
}

} // namespace
} // namespace apptest
