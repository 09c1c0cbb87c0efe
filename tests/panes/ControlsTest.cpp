// The framework's controls as a user meets them in the sample's "Every Kind"
// tab: clicks completed or abandoned, the hooks they call and the values
// they leave (read from the window's structure dump).
#include "PanesTestSupport.h"

#include <gtest/gtest.h>

using panes::lineStarting;
using panes::runSample;

namespace {

// The sample window's content starts at (150, 60) on the screen; the first
// band of the "Every Kind" tab at (154, 87).
const char* const kEnabledBox = "control PCheckButton \"Enabled box\"";

TEST(Controls, CheckBoxClickTogglesAndReportsWithBandOrigin)
{
    auto run = runSample("click 175 118\nkey d\nclick 175 118\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(run.linesFrom("handle"),
        (std::vector<std::string> {
            "handleDeselection \"Enabled box\" value=0 origin=(-4,-27) window=370x247",
            "handleSelection \"Enabled box\" value=1 origin=(-4,-27) window=370x247",
        }));
    EXPECT_EQ(lineStarting(run.dumps[0], kEnabledBox),
        "control PCheckButton \"Enabled box\" (16,24)-(170,38) value=0 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(run.dumps[1], kEnabledBox),
        "control PCheckButton \"Enabled box\" (16,24)-(170,38) value=1 min=0 max=1 hilite=0 visible");
}

TEST(Controls, CheckBoxPressReleasedOutsideChangesNothing)
{
    auto run = runSample("press 175 118\nmove 260 200\nrelease 400 30\nkey d\n"
                         "press 175 118\nrelease 175 300\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 2u);
    for (const auto& line : run.lines)
        EXPECT_NE(line.rfind("handle", 0), 0u) << line;
    for (const auto& dump : run.dumps)
        EXPECT_EQ(lineStarting(dump, kEnabledBox),
            "control PCheckButton \"Enabled box\" (16,24)-(170,38) value=1 min=0 max=1 hilite=0 visible");
}

TEST(Controls, DimmedControlsIgnoreClicks)
{
    auto run = runSample("click-title Dimmed box\nclick-title Dimmed\nclick-title Off\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const auto& line : run.lines)
        EXPECT_NE(line.rfind("handle", 0), 0u) << line;
}

TEST(Controls, PushButtonReportsOnlyAReleaseInside)
{
    auto run = runSample("click-title Push Me\npress 190 166\nrelease 190 20\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.linesFrom("handle"),
        (std::vector<std::string> {"handleClick \"Push Me\" origin=(-4,-72) window=370x247"}));
}

} // namespace
