// Opening and closing collapsible bands: the window's height, the bands below
// moving, the order of the hooks, and a triangle press abandoned outside.
#include "PanesTestSupport.h"

#include <gtest/gtest.h>

using panes::expectMatchesExpected;
using panes::lineStarting;
using panes::runSample;

namespace {

// On the "Bands" tab: "Big Band" (collapsed, 169 open) from y 27, its
// triangle at (163, 98) on the screen; "Last Band" from y 137, its triangle
// at (162, 210).
const char* const kShowBandsTab = "click-title Bands\n";

TEST(Bands, OpeningA169PixelBandGrowsTheWindowBy149BeforeTellingIt)
{
    auto run = runSample(std::string(kShowBandsTab) + "key d\nclick 163 98\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(lineStarting(run.dumps[0], "window"), "window \"Panes Sample\" 370x182");
    EXPECT_EQ(lineStarting(run.dumps[1], "window"), "window \"Panes Sample\" 370x331");
    EXPECT_EQ(run.linesFrom("subPaneOpened \"Big"),
        (std::vector<std::string> {"subPaneOpened \"Big Band\" origin=(-4,-27) window=370x331"}));
    expectMatchesExpected(run.dumps[1], "big-band-open");
}

TEST(Bands, AControlIsOutOfSightUntilItsBandOpensAndAfterItCloses)
{
    auto run = runSample(std::string(kShowBandsTab) + "key d\nclick 163 98\nkey d\nclick 162 100\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 3u);
    const char* hidden = "control PCheckButton \"Hidden box\"";
    EXPECT_EQ(lineStarting(run.dumps[0], hidden),
        "control PCheckButton \"Hidden box\" (1016,1030)-(1170,1044) value=0 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(run.dumps[1], hidden),
        "control PCheckButton \"Hidden box\" (16,30)-(170,44) value=0 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(run.dumps[2], hidden),
        "control PCheckButton \"Hidden box\" (1000,1000)-(1154,1014) value=0 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(run.dumps[2], "window"), "window \"Panes Sample\" 370x182");
    EXPECT_EQ(run.linesFrom("subPaneClosed"),
        (std::vector<std::string> {"subPaneClosed \"Big Band\" origin=(-4,-27) window=370x331"}));
}

TEST(Bands, ClosingTheLastBandShrinksTheWindowAfterTellingIt)
{
    auto run = runSample(std::string(kShowBandsTab) + "click 162 210\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.linesFrom("subPaneClosed"),
        (std::vector<std::string> {"subPaneClosed \"Last Band\" origin=(-4,-137) window=370x182"}));
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(lineStarting(run.dumps[0], "window"), "window \"Panes Sample\" 370x162");
    expectMatchesExpected(run.dumps[0], "last-band-closed");
}

TEST(Bands, ATrianglePressReleasedOutsideKeepsTheStateAndRepeatsTheHook)
{
    // "Check Boxes" is open; its triangle points down at (162, 100).
    auto run = runSample("key d\npress 162 100\nmove 300 300\nrelease 300 300\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(run.dumps[1], run.dumps[0]);
    EXPECT_EQ(run.lines,
        (std::vector<std::string> {"subPaneOpened \"Check Boxes\" origin=(-4,-27) window=370x247"}));
}

} // namespace
