// The look of the layer's own parts, pixel for pixel: the menu bar with a
// pulled-down menu, document windows in front and behind, and the frames of
// the dialog window kinds.
#include "ToolboxTestSupport.h"

#include <golden/Golden.h>

#include <Fonts.h>
#include <Quickdraw.h>

#include <filesystem>

namespace {

class GoldenTest : public ToolboxTest {
protected:
    void fillContent(WindowRef w, const char* line)
    {
        SetPortWindowPort(w);
        Rect r;
        GetWindowPortBounds(w, &r);
        EraseRect(&r);
        TextFont(kFontIDGeneva);
        TextSize(9);
        MoveTo(10, 20);
        DrawString(P(line));
    }
};

// Shows: the chip logo and the File and Edit titles; File pulled down and
// highlighted, "Open..." under the mouse (inverted), "Print" dimmed, a
// divider, "Show Ruler" checked, command keys at the right.
TEST_F(GoldenTest, MenuBarWithAPulledDownMenu)
{
    MenuRef apple = newMenu(128, "\x14", "About Demo...;-");
    newMenu(129, "File", "New/N;Open.../O;(Print/P;-;Show Ruler;Quit/Q");
    newMenu(130, "Edit", "Copy/C;Paste/V");
    CheckMenuItem(GetMenuHandle(129), 5, true);
    (void)apple;
    std::string shot = (std::filesystem::path(testing::TempDir()) / "menu-pulled-down.png").string();
    playScript("press 50 10\nmove 60 45\nsnapshot \"" + shot + "\"\nrelease 300 300\n");
    EventRecord e = nextEvent();
    ASSERT_EQ(e.what, mouseDown);
    EXPECT_EQ(MenuSelect(e.where), 0);
    golden::expectMatchesGolden(shot, "toolbox/menu-pulled-down");
}

// Shows: an inactive window behind (plain title bar, grey title, no close
// box) partly covered by the active one in front (striped title bar, close
// box, centred title), each with a line of Geneva 9 text, over the desktop.
TEST_F(GoldenTest, DocumentWindows)
{
    newMenu(128, "File", "Quit/Q");
    WindowRef back = newWindow(60, 80, 330, 230, noGrowDocProc, true, "Behind");
    WindowRef front = newWindow(200, 160, 520, 360, noGrowDocProc, true, "Tarnwick X");
    settle();
    fillContent(back, "An inactive document window.");
    fillContent(front, "The active document window, in front.");
    golden::expectScreenMatchesGolden("toolbox/document-windows");
}

// Shows: a modal dialog box (double border), a movable dialog (title bar
// without close box) and a shadowed box, each with a line of text.
TEST_F(GoldenTest, DialogFrames)
{
    WindowRef modal = newWindow(40, 60, 260, 160, dBoxProc, false);
    WindowRef movable = newWindow(300, 80, 600, 180, movableDBoxProc, false, "Movable Dialog");
    WindowRef shadowed = newWindow(120, 260, 420, 340, altDBoxProc, false);
    SelectWindow(movable);
    settle();
    fillContent(modal, "dBoxProc");
    fillContent(shadowed, "altDBoxProc");
    fillContent(movable, "movableDBoxProc, in front");
    golden::expectScreenMatchesGolden("toolbox/dialog-frames");
}

} // namespace
