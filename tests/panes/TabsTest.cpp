// The tab manager as a user meets it: the geometry of a 370-pixel window,
// switching tabs by clicking (or not), selectPane from the program, and which
// bands are drawn and idled.
#include "PanesTestSupport.h"

#include <gtest/gtest.h>

using panes::expectMatchesExpected;
using panes::lineStarting;
using panes::runSample;

namespace {

TEST(Tabs, LayoutOfTheSampleWindowAtStart)
{
    auto run = runSample("key d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 1u);
    // 370 wide: the pane spans 3 to 367 from 26 down; the bands 4 to 366,
    // the first from 27; the window is the bands' 215 pixels plus 32 high.
    // A title 45 pixels wide at left 3 gives a tab from 3 to 72.
    expectMatchesExpected(run.dumps[0], "start");
}

TEST(Tabs, PressingAnInactiveTabAndReleasingOutsideChangesNothing)
{
    auto run = runSample("key d\npress 237 79\nmove 300 300\nrelease 300 300\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(run.dumps[1], run.dumps[0]);
    for (const auto& line : run.lines)
        EXPECT_EQ(line.find("\"Starts Open\""), std::string::npos) << line;
}

TEST(Tabs, ClickingATabSelectedLaterOpensItsExpandedBandsOnFirstDraw)
{
    auto run = runSample("click-title Bands\nkey d\nclick-title Every Kind\nclick-title Bands\n");
    ASSERT_EQ(run.status, 0) << run.err;
    // Only the bands that start expanded are told, once, at their corners,
    // with the window already at the new tab's height (150 + 32).
    EXPECT_EQ(run.lines,
        (std::vector<std::string> {
            "subPaneOpened \"Starts Open\" origin=(-4,-47) window=370x182",
            "subPaneOpened \"Last Band\" origin=(-4,-137) window=370x182",
        }));
    ASSERT_EQ(run.dumps.size(), 1u);
    expectMatchesExpected(run.dumps[0], "bands-tab");
}

TEST(Tabs, SelectPanePastTheLastTabLeavesNoTabActive)
{
    auto run = runSample("key 9\nkey d\nkey 1\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(lineStarting(run.dumps[0], "tab \"Every Kind\""), "tab \"Every Kind\" (3,10)-(72,28) inactive");
    EXPECT_EQ(lineStarting(run.dumps[0], "tab \"Bands\"").find(" active"), std::string::npos);
    expectMatchesExpected(run.dumps[0], "no-tab-active");
    EXPECT_NE(lineStarting(run.dumps[1], "tab \"Bands\"").find(" active"), std::string::npos);
}

TEST(Tabs, IdleReachesOnlyTheOpenBandsOfTheActiveTab)
{
    // "Buttons" is closed first; the "Bands" tab is never active.
    auto run = runSample("click 162 145\nkey i\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.linesFrom("idle pass"),
        (std::vector<std::string> {
            "idle pass",
            "idle \"Check Boxes\" origin=(-4,-27) window=370x217",
            "idle \"Radio Buttons\" origin=(-4,-92) window=370x217",
            "idle \"Title Frame\" origin=(-4,-137) window=370x217",
        }));
}

} // namespace
