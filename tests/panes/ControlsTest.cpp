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
            "handleDeselection \"Enabled box\" value=0 origin=(-4,-27) window=370x297",
            "handleSelection \"Enabled box\" value=1 origin=(-4,-27) window=370x297",
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

TEST(Controls, RadioGroupSelectsItsDefaultButtonWhenItIsAdded)
{
    // Group "Choice" has default item 1: nothing was selected after its first
    // button, the second was selected as it was added, the first stays off.
    auto run = runSample("key d\n");
    ASSERT_EQ(run.dumps.size(), 1u);
    const auto& dump = run.dumps[0];
    EXPECT_EQ(lineStarting(dump, "control PRadioButton \"First\""),
        "control PRadioButton \"First\" (16,24)-(76,38) value=0 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(dump, "control PRadioButton \"Second\""),
        "control PRadioButton \"Second\" (86,24)-(156,38) value=1 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(dump, "control PRadioButton \"Third\""),
        "control PRadioButton \"Third\" (166,24)-(226,38) value=0 min=0 max=1 hilite=0 visible");
    // Group "Dimmed" has default item 0: its first button is on at once.
    EXPECT_EQ(lineStarting(dump, "control PRadioButton \"Off\""),
        "control PRadioButton \"Off\" (246,24)-(296,38) value=1 min=0 max=1 hilite=255 visible");
}

TEST(Controls, ClickingTheSelectedRadioButtonCallsTheHookAgain)
{
    auto run = runSample("click-title Second\nclick-title Second\nclick-title Third\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.linesFrom("handle"),
        (std::vector<std::string> {
            "handleSelection group \"Choice\" item=1 origin=(-4,-122) window=370x297",
            "handleSelection group \"Choice\" item=1 origin=(-4,-122) window=370x297",
            "handleSelection group \"Choice\" item=2 origin=(-4,-122) window=370x297",
        }));
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(lineStarting(run.dumps[0], "control PRadioButton \"Second\""),
        "control PRadioButton \"Second\" (86,24)-(156,38) value=0 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(run.dumps[0], "control PRadioButton \"Third\""),
        "control PRadioButton \"Third\" (166,24)-(226,38) value=1 min=0 max=1 hilite=0 visible");
}

TEST(Controls, PopupCallsItsHookOnEveryHitAlsoForTheItemShown)
{
    // A click leaves the mouse on the item shown (3); the second press is
    // released one item lower; the third is released outside the menu.
    auto run = runSample("click 190 261\n"
                         "press 190 261\nrelease 190 277\n"
                         "press 190 261\nrelease 20 470\nkey d\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.linesFrom("handle"),
        (std::vector<std::string> {
            "handleClick \"Ratio\" item=3 origin=(-4,-167) window=370x297",
            "handleClick \"Ratio\" item=4 origin=(-4,-167) window=370x297",
        }));
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(lineStarting(run.dumps[0], "control PPopupMenu \"Ratio\""),
        "control PPopupMenu \"Ratio\" (16,24)-(166,44) value=4 min=1 max=5 menu=2 hilite=0 visible");
}

TEST(Controls, PushButtonReportsOnlyAReleaseInside)
{
    auto run = runSample("click-title Push Me\npress 190 166\nrelease 190 20\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.linesFrom("handle"),
        (std::vector<std::string> {"handleClick \"Push Me\" origin=(-4,-72) window=370x297"}));
}

} // namespace
