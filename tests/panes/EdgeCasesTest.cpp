// Edge cases of the framework run in this process on the headless screen:
// a hook that throws must not leave the window's port shifted, and inputs
// the framework cannot serve (a frame too low for a line, a pop-up whose
// menu is missing, a radio item past the last button) must do no harm.
#include "PanesTestSupport.h"

#include <framework/PPopupMenu.h>
#include <framework/PRadioGroup.h>
#include <framework/PStructureDump.h>
#include <framework/PSubPane.h>
#include <framework/PTabManager.h>
#include <framework/PTabPane.h>
#include <framework/PTitleFrame.h>
#include <framework/PWindow.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

using panes::lineStarting;

namespace {

class Headless : public testing::Test {
protected:
    static void SetUpTestSuite() { setenv("MACSIM_DISPLAY", "headless", 1); }
};

// A band that fails in its hooks, as an application's band might when a
// register read throws.
class FailingBand : public PSubPane {
public:
    explicit FailingBand(PTabPane* tab)
        : PSubPane(40, tab)
    {
    }
    void draw() override
    {
        RGBColor red = {0xFFFF, 0, 0};
        RGBBackColor(&red);
        throw std::runtime_error("draw failed");
    }
    void idle() override { throw std::runtime_error("idle failed"); }
};

Point originOf(PWindow& window)
{
    window.setPort();
    GrafPtr port;
    GetPort(&port);
    Rect bounds;
    GetPortBounds(port, &bounds);
    return {bounds.top, bounds.left};
}

TEST_F(Headless, AHookThatThrowsLeavesTheOriginAndColoursAsTheyWere)
{
    PDocWindow window(150, 60, 520, 92, PSTR("Failing"), true, false);
    PTabManager tabs(&window);
    auto* tab = new PTabPane(PSTR("Tab"), &tabs);
    new FailingBand(tab);

    window.setPort();
    RGBColor white = {0xFFFF, 0xFFFF, 0xFFFF};
    RGBBackColor(&white);
    EXPECT_THROW(tabs.draw(), std::runtime_error);
    Point origin = originOf(window);
    EXPECT_EQ(origin.h, 0);
    EXPECT_EQ(origin.v, 0);
    RGBColor back;
    GetBackColor(&back);
    EXPECT_EQ(back.red, 0xFFFF);
    EXPECT_EQ(back.green, 0xFFFF);

    EXPECT_THROW(tabs.idle(), std::runtime_error);
    origin = originOf(window);
    EXPECT_EQ(origin.h, 0);
    EXPECT_EQ(origin.v, 0);
}

TEST_F(Headless, AFrameTooLowForALineIgnoresText)
{
    PDocWindow window(150, 60, 520, 160, PSTR("Frames"), true, false);
    window.setPort();
    struct Case {
        short top, bottom;
    };
    for (const Case& c : {Case {10, 24}, Case {30, 31}, Case {40, 35}}) {
        PTitleFrame frame(10, c.top, 200, c.bottom, PSTR("Low"));
        RGBColor before;
        GetCPixel(14, static_cast<short>(c.top + 12), &before);
        frame.drawText(PSTR("no room for this"));
        frame.drawText(PSTR("nor for this"));
        RGBColor after;
        GetCPixel(14, static_cast<short>(c.top + 12), &after);
        EXPECT_EQ(after.red, before.red) << "frame " << c.top << " to " << c.bottom;
    }
}

TEST_F(Headless, APopupWhoseMenuIsMissingDoesNoHarm)
{
    PDocWindow window(150, 60, 520, 160, PSTR("Pop-up"), true, false);
    PPopupMenu popup(10, 10, 150, 30, PSTR("None"), 31999, 2);
    popup.selectItem(3);
    popup.setItemText(1, PSTR("text"));
    popup.enableItem(1);
    popup.disableItem(1);
    popup.showControl();
    popup.draw();
    EXPECT_EQ(popup.getSelectedItem(), 0u);
    EventRecord click {};
    click.what = mouseDown;
    click.where = {75, 170};
    EXPECT_FALSE(popup.handleMouseDown(&click));
    EXPECT_EQ(DumpWindowStructure(&window, nullptr), "window \"Pop-up\" 370x100\n");
}

class RecordingGroup : public PRadioGroup {
public:
    using PRadioGroup::PRadioGroup;
    void handleSelection(unsigned long item) override { calls.push_back(item); }
    std::vector<unsigned long> calls;
};

TEST_F(Headless, SelectingAnItemPastTheLastButtonTurnsAllOff)
{
    PDocWindow window(150, 60, 520, 160, PSTR("Radio"), true, false);
    RecordingGroup group(0);
    group.addButton(10, 10, 80, 24, PSTR("One"));
    group.addButton(90, 10, 160, 24, PSTR("Two"));
    group.selectItem(5, true);
    group.selectItem(7, false);
    EXPECT_EQ(group.calls, std::vector<unsigned long> {5});
    const std::string dump = DumpWindowStructure(&window, nullptr);
    EXPECT_EQ(lineStarting(dump, "control PRadioButton \"One\""),
        "control PRadioButton \"One\" (1010,1010)-(1080,1024) value=0 min=0 max=1 hilite=0 visible");
    EXPECT_EQ(lineStarting(dump, "control PRadioButton \"Two\""),
        "control PRadioButton \"Two\" (1090,1010)-(1160,1024) value=0 min=0 max=1 hilite=0 visible");
}

} // namespace
