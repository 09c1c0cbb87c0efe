// The Window Manager on the 640x480 desktop: what lies under a point, the
// order and highlighting of windows, update regions and the pixels an update
// may touch, and the frame's mouse tracking driven by event scripts.
#include <testkit/PString.h>
#include <testkit/Toolbox.h>

#include <Quickdraw.h>

namespace {

using testkit::ToolboxTest;

class WindowManagerTest : public ToolboxTest {
protected:
    Rect updateBounds(WindowRef w)
    {
        Rect r {};
        GetWindowBounds(w, kWindowUpdateRgn, &r);
        return r;
    }
    Rect contentBounds(WindowRef w)
    {
        Rect r {};
        GetWindowBounds(w, kWindowContentRgn, &r);
        return r;
    }
};

struct PartCase {
    const char* name;
    short h, v;
    WindowPartCode part;
    int window; // 0 none, 1 the document window, 2 the zoom window, 3 the dialog
};

class FindWindowTest : public WindowManagerTest, public testing::WithParamInterface<PartCase> { };

TEST_P(FindWindowTest, NamesThePartUnderThePoint)
{
    // Back to front: a dialog box, a zoomable document window, a document window.
    WindowRef dialog = newWindow(420, 300, 600, 400, dBoxProc, false);
    WindowRef zoom = newWindow(400, 100, 560, 250, zoomDocProc, true);
    WindowRef doc = newWindow(100, 100, 300, 250, noGrowDocProc, true);
    WindowRef windows[] = {nullptr, doc, zoom, dialog};
    SelectWindow(GetParam().window == 2 ? zoom : doc);

    const PartCase& c = GetParam();
    WindowRef found = reinterpret_cast<WindowRef>(1);
    EXPECT_EQ(FindWindow(Point {c.v, c.h}, &found), c.part);
    EXPECT_EQ(found, windows[c.window]);
}

INSTANTIATE_TEST_SUITE_P(Points, FindWindowTest,
    testing::Values(PartCase {"menuBar", 5, 5, inMenuBar, 0}, PartCase {"menuBarRule", 600, 19, inMenuBar, 0},
        PartCase {"desktop", 50, 300, inDesk, 0}, PartCase {"content", 150, 150, inContent, 1},
        PartCase {"contentTopLeft", 100, 100, inContent, 1}, PartCase {"titleBar", 200, 90, inDrag, 1},
        PartCase {"leftEdge", 99, 150, inDrag, 1}, PartCase {"closeBox", 113, 89, inGoAway, 1},
        PartCase {"closeBoxCorner", 108, 84, inGoAway, 1}, PartCase {"besideCloseBox", 120, 89, inDrag, 1},
        PartCase {"shadow", 301, 200, inDrag, 1}, PartCase {"pastShadow", 302, 200, inDesk, 0},
        PartCase {"noGrowBoxInProc4", 295, 245, inContent, 1}, PartCase {"zoomBox", 545, 89, inZoomIn, 2},
        PartCase {"growBox", 555, 245, inGrow, 2}, PartCase {"dialogBorder", 415, 350, inContent, 3}),
    [](const testing::TestParamInfo<PartCase>& info) { return info.param.name; });

TEST_F(WindowManagerTest, CloseBoxOfAWindowBehindIsPartOfItsTitleBar)
{
    WindowRef back = newWindow(100, 100, 300, 250);
    newWindow(350, 100, 500, 250);
    WindowRef found = nullptr;
    EXPECT_EQ(FindWindow(Point {89, 113}, &found), inDrag);
    EXPECT_EQ(found, back);
}

TEST_F(WindowManagerTest, SelectingBringsToFrontAndMovesTheHighlight)
{
    WindowRef a = newWindow(100, 100, 300, 250);
    WindowRef b = newWindow(150, 150, 350, 300);
    EXPECT_EQ(FrontWindow(), b);
    EXPECT_TRUE(IsWindowHilited(b));
    EXPECT_FALSE(IsWindowHilited(a));
    SelectWindow(a);
    EXPECT_EQ(FrontWindow(), a);
    EXPECT_EQ(GetNextWindow(a), b);
    EXPECT_TRUE(IsWindowHilited(a));
    EXPECT_FALSE(IsWindowHilited(b));
    HideWindow(a);
    EXPECT_EQ(FrontWindow(), b);
    EXPECT_TRUE(IsWindowHilited(b));
}

TEST_F(WindowManagerTest, UncoveredPartOfAWindowIsInvalidated)
{
    WindowRef back = newWindow(100, 100, 300, 250);
    WindowRef front = newWindow(200, 180, 400, 300);
    settle();
    HideWindow(front);
    Rect r = updateBounds(back);
    // The front window's structure began 20 pixels above its content and 1 to its left.
    EXPECT_EQ(r.top, 160);
    EXPECT_EQ(r.left, 199);
    EXPECT_EQ(r.bottom, 250);
    EXPECT_EQ(r.right, 300);
    EventRecord e;
    ASSERT_TRUE(GetNextEvent(updateMask, &e));
    EXPECT_EQ(e.message, reinterpret_cast<unsigned long>(back));
}

TEST_F(WindowManagerTest, UpdateDrawingReachesOnlyTheInvalidArea)
{
    WindowRef w = newWindow(100, 100, 300, 250);
    settle();
    Rect invalid {10, 10, 20, 30};
    InvalWindowRect(w, &invalid);
    SetPortWindowPort(w);
    BeginUpdate(w);
    EXPECT_EQ(updateBounds(w).bottom - updateBounds(w).top, 0) << "BeginUpdate empties the update region";
    Rect all;
    GetWindowPortBounds(w, &all);
    PaintRect(&all);
    EndUpdate(w);
    EXPECT_EQ(screenPixel(110, 110), 0x000000u);
    EXPECT_EQ(screenPixel(129, 119), 0x000000u);
    EXPECT_EQ(screenPixel(130, 119), 0xFFFFFFu);
    EXPECT_EQ(screenPixel(110, 120), 0xFFFFFFu);
    EXPECT_EQ(screenPixel(109, 110), 0xFFFFFFu);
    PaintRect(&all);
    EXPECT_EQ(screenPixel(200, 200), 0x000000u) << "after EndUpdate the whole port is drawable";
}

TEST_F(WindowManagerTest, MovingAWindowKeepsWhatItShowed)
{
    WindowRef w = newWindow(100, 100, 300, 250);
    settle();
    SetPortWindowPort(w);
    Rect dot {5, 5, 6, 6};
    PaintRect(&dot);
    MoveWindow(w, 150, 140, false);
    EXPECT_EQ(screenPixel(155, 145), 0x000000u);
    EXPECT_EQ(screenPixel(105, 105), 0x5E7189u) << "the desktop shows where the window was";
    EXPECT_EQ(updateBounds(w).bottom - updateBounds(w).top, 0);
    Rect c = contentBounds(w);
    EXPECT_EQ(c.left, 150);
    EXPECT_EQ(c.top, 140);
}

TEST_F(WindowManagerTest, NewAndGrownWindowsNeedAnUpdateOfTheirNewArea)
{
    WindowRef w = newWindow(100, 100, 300, 250);
    Rect r = updateBounds(w);
    EXPECT_TRUE(r.left == 100 && r.top == 100 && r.right == 300 && r.bottom == 250) << "the whole content";
    settle();
    SizeWindow(w, 250, 180, false);
    EXPECT_EQ(updateBounds(w).bottom - updateBounds(w).top, 0) << "without update: left to the program";
    SizeWindow(w, 200, 150, false);
    SizeWindow(w, 250, 180, true);
    r = updateBounds(w);
    EXPECT_TRUE(r.left == 100 && r.top == 100 && r.right == 350 && r.bottom == 280)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    Rect port;
    GetWindowPortBounds(w, &port);
    EXPECT_EQ(port.right, 250);
    EXPECT_EQ(port.bottom, 180);
    EXPECT_EQ(GetWindowFromPort(GetWindowPort(w)), w);
}

TEST_F(WindowManagerTest, DraggingTheTitleBarMovesTheWindowByTheMouseWithinTheLimit)
{
    const struct {
        const char* script;
        short left, top;
    } kDrags[] = {{"press 200 90\nmove 230 110\nrelease 250 140\n", 150, 150},
        {"press 200 90\nrelease 0 0\n", -100, 30}};
    for (const auto& d : kDrags) {
        WindowRef w = newWindow(100, 100, 300, 250);
        settle();
        playScript(d.script);
        EventRecord e = nextEvent();
        ASSERT_EQ(e.what, mouseDown);
        Rect limit {20, 0, 480, 640};
        DragWindow(w, e.where, &limit);
        Rect c = contentBounds(w);
        EXPECT_EQ(c.left, d.left) << d.script;
        EXPECT_EQ(c.top, d.top) << d.script;
        DisposeWindow(w);
    }
}

struct GoAwayCase {
    const char* name;
    const char* script;
    bool closes;
};

class TrackGoAwayTest : public WindowManagerTest, public testing::WithParamInterface<GoAwayCase> { };

TEST_P(TrackGoAwayTest, ClosesOnlyWhenReleasedInsideTheBox)
{
    WindowRef w = newWindow(100, 100, 300, 250);
    settle();
    playScript(GetParam().script);
    EventRecord e = nextEvent();
    ASSERT_EQ(e.what, mouseDown);
    EXPECT_EQ(TrackGoAway(w, e.where), GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(Releases, TrackGoAwayTest,
    testing::Values(GoAwayCase {"click", "click 113 89\n", true},
        GoAwayCase {"outAndBack", "press 113 89\nmove 200 200\nmove 112 88\nrelease 112 88\n", true},
        GoAwayCase {"releasedOutside", "press 113 89\nmove 130 89\nrelease 130 89\n", false}),
    [](const testing::TestParamInfo<GoAwayCase>& info) { return info.param.name; });

TEST_F(WindowManagerTest, ScriptClicksADrawnTitleOfTheFrontWindow)
{
    WindowRef w = newWindow(100, 100, 300, 250);
    settle();
    SetPortWindowPort(w);
    TextFont(0);
    MoveTo(20, 40);
    DrawString(testkit::pstr("Press Me").c_str());
    playScript("click-title Press Me\n");
    EventRecord e = nextEvent();
    ASSERT_EQ(e.what, mouseDown);
    EXPECT_GT(e.where.h, 120);
    EXPECT_LT(e.where.h, 120 + StringWidth(testkit::pstr("Press Me").c_str()));
    EXPECT_LT(e.where.v, 140);
    EXPECT_GT(e.where.v, 128);
}

TEST_F(WindowManagerTest, DesktopAndMenuBarLook)
{
    newMenu(128, "File", "Quit/Q");
    EXPECT_EQ(screenPixel(5, 470), 0x5E7189u);
    EXPECT_EQ(screenPixel(300, 19), 0x000000u);
    EXPECT_EQ(screenPixel(300, 10), 0xFFFFFFu);
}

} // namespace
