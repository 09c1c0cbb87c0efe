// Pop-up menu controls over the application's ratio menus: the range they
// take from their menu, the item they show, and choosing with the mouse.
#include "ToolboxFixture.h"

#include <Events.h>
#include <Menus.h>
#include <appearance/MenuLook.h>
#include <events/EventCenter.h>

namespace controls_test {
namespace {

class PopupControl : public ToolboxFixture {
protected:
    // The pop-up of the backside cache pane: menu 2, no title area.
    ControlRef makeRatioPopup() { return make(144, 54, 244, 69, "", 0, 2, 0, 1016); }

    // Presses on the pop-up's box and releases `items` rows below (negative:
    // above) the row of the current item, which opens under the mouse.
    ControlPartCode choose(ControlRef popup, int items, short releaseX = 170)
    {
        const Point down = global(170, 61);
        const Point across = global(releaseX, 61);
        press(down.h, down.v);
        release(across.h, static_cast<short>(down.v + items * toolbox::kMenuItemHeight));
        EventRecord e;
        EXPECT_TRUE(GetNextEvent(mDownMask, &e));
        SetPortWindowPort(window_);
        GlobalToLocal(&e.where);
        return TrackControl(popup, e.where, reinterpret_cast<ControlActionUPP>(-1));
    }
};

TEST_F(PopupControl, RangesOverItsMenuAndRemembersTheMenuID)
{
    ControlRef popup = makeRatioPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetControlMinimum(popup), 1);
    EXPECT_EQ(GetControlMaximum(popup), 5);
    EXPECT_EQ(GetControlValue(popup), 1);
    EXPECT_EQ(GetControlPopupMenuID(popup), 2);
    MenuRef menu = GetControlPopupMenuHandle(popup);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(CountMenuItems(menu), 5);
    EXPECT_EQ(GetMenuHandle(2), menu) << "inserted among the pop-up menus";
    SetControlValue(popup, 3);
    EXPECT_EQ(GetControlValue(popup), 3);
    SetControlValue(popup, 9);
    EXPECT_EQ(GetControlValue(popup), 5);
    DisposeControl(popup);
    EXPECT_EQ(GetMenuHandle(2), nullptr) << "removed with its last control";
}

TEST_F(PopupControl, ChoosingAnItemSetsTheValueAndReportsAHit)
{
    const struct {
        const char* what;
        short shown;
        int rows; // from the shown item to the release
        ControlPartCode part;
        short value;
    } kCases[] = {
        {"the item shown", 3, 0, kControlMenuPart, 3},
        {"two items further down", 3, 2, kControlMenuPart, 5},
        {"the first item", 3, -2, kControlMenuPart, 1},
        {"released far outside the menu", 3, 12, kControlNoPart, 3},
    };
    for (const auto& c : kCases) {
        ControlRef popup = makeRatioPopup();
        SetControlValue(popup, c.shown);
        EXPECT_EQ(choose(popup, c.rows), c.part) << c.what;
        EXPECT_EQ(GetControlValue(popup), c.value) << c.what;
        EXPECT_EQ(GetControlHilite(popup), 0u) << c.what;
        EventRecord e;
        EXPECT_FALSE(EventAvail(mUpMask | mDownMask, &e)) << c.what << ": the release is taken";
        DisposeControl(popup);
    }
}

// The open menu is at least as wide as the box, so a release anywhere over
// the box (here near its right edge, past the short item texts) chooses.
TEST_F(PopupControl, TheMenuCoversTheWholeBox)
{
    ControlRef popup = makeRatioPopup();
    SetControlValue(popup, 2);
    EXPECT_EQ(choose(popup, 1, 240), kControlMenuPart);
    EXPECT_EQ(GetControlValue(popup), 3);
    DisposeControl(popup);
}

TEST_F(PopupControl, ADisabledItemOrADimmedPopupChoosesNothing)
{
    ControlRef popup = makeRatioPopup();
    SetControlValue(popup, 2);
    DisableMenuItem(GetControlPopupMenuHandle(popup), 2);
    EXPECT_EQ(choose(popup, 0), kControlNoPart);
    EXPECT_EQ(GetControlValue(popup), 2);
    EnableMenuItem(GetControlPopupMenuHandle(popup), 2);

    HiliteControl(popup, kControlInactivePart);
    EXPECT_EQ(choose(popup, 1), kControlNoPart);
    EXPECT_EQ(GetControlValue(popup), 2);
    toolbox::EventCenter::get().flush(everyEvent, 0);
}

TEST_F(PopupControl, ATitleAreaIsTheLabelPart)
{
    ControlRef popup = make(10, 10, 200, 25, "Ratio:", 0, 1, 60, 1016);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(TestControl(popup, Point {15, 20}), kControlLabelPart);
    EXPECT_EQ(TestControl(popup, Point {15, 80}), kControlMenuPart);
    EXPECT_EQ(GetControlMaximum(popup), 8) << "menu 1 has eight items";
}

} // namespace
} // namespace controls_test
