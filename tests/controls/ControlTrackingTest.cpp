// Hit-testing and tracking of the standard controls with queued mouse input:
// where a press is released decides, dimmed and hidden controls are deaf,
// and coordinates follow the port's origin in force.
#include "ToolboxFixture.h"

#include <Events.h>

namespace controls_test {
namespace {

class ControlTracking : public ToolboxFixture {
protected:
    // Takes the queued mouse-down, as the program's event loop would, and
    // tracks the control from where it happened.
    ControlPartCode trackQueuedPress(ControlRef c)
    {
        EventRecord e;
        EXPECT_TRUE(GetNextEvent(mDownMask, &e));
        SetPortWindowPort(window_);
        GlobalToLocal(&e.where);
        return TrackControl(c, e.where, nullptr);
    }
};

struct Kind {
    const char* title;
    short procID;
    ControlPartCode part;
};

const Kind kKinds[] = {
    {"Push", 8, kControlButtonPart},
    {"Check", 9, kControlCheckBoxPart},
    {"Radio", 10, kControlRadioButtonPart},
};

TEST_F(ControlTracking, ReleaseInsideReportsThePartAndOutsideReportsNothing)
{
    const struct {
        const char* what;
        short releaseH, releaseV; // local
        bool viaOutside;
        bool hits;
    } kCases[] = {
        {"released where pressed", 30, 18, false, true},
        {"released elsewhere inside", 95, 24, false, true},
        {"released outside", 30, 60, false, false},
        {"dragged out and back in", 40, 20, true, true},
        {"released just past the right edge", 110, 18, false, false},
    };
    for (const Kind& k : kKinds) {
        ControlRef c = make(10, 12, 110, 26, k.title, 0, 0, 1, k.procID);
        for (const auto& t : kCases) {
            const Point down = global(30, 18);
            press(down.h, down.v);
            if (t.viaOutside) {
                const Point away = global(200, 200);
                move(away.h, away.v);
            }
            const Point up = global(t.releaseH, t.releaseV);
            release(up.h, up.v);
            EXPECT_EQ(trackQueuedPress(c), t.hits ? k.part : ControlPartCode(kControlNoPart))
                << k.title << ": " << t.what;
            EXPECT_EQ(GetControlValue(c), 0) << k.title << ": tracking leaves the value to the program";
            EXPECT_EQ(GetControlHilite(c), 0u) << k.title << ": " << t.what;
        }
        DisposeControl(c);
    }
}

TEST_F(ControlTracking, DimmedAndHiddenControlsAreDeaf)
{
    for (const Kind& k : kKinds) {
        ControlRef c = make(10, 12, 110, 26, k.title, 0, 0, 1, k.procID);
        const Point inside {18, 30};
        EXPECT_EQ(TestControl(c, inside), k.part) << k.title;

        HiliteControl(c, kControlInactivePart);
        EXPECT_EQ(TestControl(c, inside), kControlNoPart) << k.title;
        ControlRef found = c;
        EXPECT_EQ(FindControl(inside, window_, &found), kControlNoPart) << k.title;
        EXPECT_EQ(found, nullptr);
        EXPECT_FALSE(IsControlActive(c));
        EXPECT_EQ(TrackControl(c, inside, nullptr), kControlNoPart) << k.title;

        HiliteControl(c, 0);
        HideControl(c);
        EXPECT_EQ(TestControl(c, inside), kControlNoPart) << k.title;
        ShowControl(c);
        EXPECT_EQ(TestControl(c, inside), k.part) << k.title;
        DisposeControl(c);
    }
}

TEST_F(ControlTracking, CoordinatesAreThoseOfTheOriginInForce)
{
    // A control made while the origin sits at a sub-pane's corner (100, 50).
    SetPortWindowPort(window_);
    SetOrigin(-100, -50);
    ControlRef c = make(10, 12, 110, 26, "Push", 0, 0, 1, 8);
    const Point onScreen = global(30, 18);
    SetOrigin(0, 0);
    // The window's content starts at (40, 60) on the screen.
    EXPECT_EQ(onScreen.h, 40 + 100 + 30);
    EXPECT_EQ(onScreen.v, 60 + 50 + 18);

    Point asSeenUnmoved = onScreen;
    GlobalToLocal(&asSeenUnmoved);
    EXPECT_EQ(TestControl(c, asSeenUnmoved), kControlNoPart);

    SetOrigin(-100, -50);
    Point asSeenMoved = onScreen;
    GlobalToLocal(&asSeenMoved);
    EXPECT_EQ(TestControl(c, asSeenMoved), kControlButtonPart);
    click(onScreen.h, onScreen.v);
    EXPECT_EQ(trackQueuedPress(c), kControlButtonPart);
    SetPortWindowPort(window_);
    SetOrigin(0, 0);
}

TEST_F(ControlTracking, FindControlTakesTheNewestOfOverlappingControls)
{
    ControlRef older = make(10, 10, 110, 30, "Older", 0, 0, 1, 8);
    ControlRef newer = make(60, 10, 160, 30, "Newer", 0, 0, 1, 9);
    ControlRef found = nullptr;
    EXPECT_EQ(FindControl(Point {20, 80}, window_, &found), kControlCheckBoxPart);
    EXPECT_EQ(found, newer);
    EXPECT_EQ(FindControl(Point {20, 30}, window_, &found), kControlButtonPart);
    EXPECT_EQ(found, older);
    EXPECT_EQ(FindControl(Point {20, 160}, window_, &found), kControlNoPart) << "the right edge is outside";
    EXPECT_EQ(FindControl(Point {30, 100}, window_, &found), kControlNoPart) << "and so is the bottom";
    EXPECT_EQ(FindControl(Point {20, 300}, window_, &found), kControlNoPart);
    EXPECT_EQ(found, nullptr);
}

TEST_F(ControlTracking, ValuesStayWithinTheRange)
{
    ControlRef box = make(10, 10, 110, 22, "Box", 5, 0, 1, 9);
    EXPECT_EQ(GetControlValue(box), 1);
    const struct {
        short set, expected;
    } kValues[] = {{0, 0}, {1, 1}, {2, 1}, {-3, 0}};
    for (const auto& v : kValues) {
        SetControlValue(box, v.set);
        EXPECT_EQ(GetControlValue(box), v.expected) << v.set;
    }
    SetControlMaximum(box, 2);
    SetControlValue(box, 2);
    EXPECT_EQ(GetControlValue(box), 2);
    SetControlMaximum(box, 1);
    EXPECT_EQ(GetControlValue(box), 1);
}

TEST_F(ControlTracking, UnknownKindsGiveNoControl)
{
    for (short procID : {3, 16, 1007, 1024, -1})
        EXPECT_EQ(make(0, 0, 10, 10, "x", 0, 0, 1, procID), nullptr) << procID;
    EXPECT_EQ(make(0, 0, 10, 10, "", 0, 999, 0, 1016), nullptr) << "a pop-up without its menu";
}

} // namespace
} // namespace controls_test
