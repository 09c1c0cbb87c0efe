// Golden snapshots: each control kind in its states, the cache-speed warning
// dialog and the error alert, compared pixel for pixel (tests/golden/images/controls).
#include "ToolboxFixture.h"

#include <Dialogs.h>
#include <Events.h>
#include <testkit/Golden.h>

namespace controls_test {
namespace {

toolbox::Image contentOf(WindowRef w)
{
    Rect r;
    GetWindowBounds(w, kWindowContentRgn, &r);
    return golden::screenImage(r.left, r.top, r.right, r.bottom);
}

using Goldens = ToolboxFixture;

// Rows, in Geneva 9 on the panes' light grey: push buttons (normal, pressed,
// dimmed), check boxes (clear, checked, dimmed and checked, mixed), radio
// buttons (clear, selected, dimmed and selected), pop-ups (showing 2:1,
// pressed, dimmed), a pop-up with a title, and push buttons in the system font.
TEST_F(Goldens, EveryControlKindInItsStates)
{
    const RGBColor pane = {0xEEEE, 0xEEEE, 0xEEEE};
    RGBBackColor(&pane);
    Rect all;
    GetWindowPortBounds(window_, &all);
    EraseRect(&all);
    const struct {
        short left, top, right, bottom;
        const char* title;
        short value, min, max, procID;
        UInt8 hilite;
    } kControls[] = {
        {16, 10, 113, 26, "Test Ratio", 0, 0, 1, 8, 0},
        {136, 10, 233, 26, "Test Ratio", 0, 0, 1, 8, kControlButtonPart},
        {256, 10, 353, 26, "Test Ratio", 0, 0, 1, 8, kControlInactivePart},
        {16, 40, 113, 52, "Write-Thru Mode", 0, 0, 1, 9, 0},
        {136, 40, 233, 52, "Write-Thru Mode", 1, 0, 1, 9, 0},
        {256, 40, 353, 52, "Write-Thru Mode", 1, 0, 1, 9, kControlInactivePart},
        {16, 60, 113, 72, "Mixed", 2, 0, 2, 9, 0},
        {136, 60, 233, 72, "Pressed", 0, 0, 1, 9, kControlCheckBoxPart},
        {16, 80, 51, 92, "On", 0, 0, 1, 10, 0},
        {136, 80, 171, 92, "On", 1, 0, 1, 10, 0},
        {256, 80, 291, 92, "On", 1, 0, 1, 10, kControlInactivePart},
        {16, 104, 116, 119, "", 0, 2, 0, 1016, 0},
        {136, 104, 236, 119, "", 0, 2, 0, 1016, kControlMenuPart},
        {256, 104, 356, 119, "", 0, 2, 0, 1016, kControlInactivePart},
        {16, 130, 216, 145, "Cache ratio:", 0, 1, 70, 1016, 0},
        {16, 160, 86, 180, "OK", 0, 0, 1, 0, 0},
        {136, 160, 206, 180, "Cancel", 0, 0, 1, 0, kControlInactivePart},
    };
    for (const auto& k : kControls) {
        ControlRef c = make(k.left, k.top, k.right, k.bottom, k.title, k.value, k.min, k.max, k.procID);
        ASSERT_NE(c, nullptr) << k.title;
        if (k.procID == 1016)
            SetControlValue(c, 3);
        HiliteControl(c, k.hilite);
    }
    golden::expectMatchesGolden(contentOf(window_), "controls/kinds");
}

// The two warnings of the backside cache pane, as it shows them (the
// cache-speed warning for 1:1 at 400 MHz), with the default ring on Cancel.
TEST_F(Goldens, WarningDialogs)
{
    const struct {
        short id;
        const char* golden;
    } kDialogs[] = {{128, "controls/auto-ratio-warning"}, {130, "controls/speed-warning"}};
    ParamText(PSTR("400"), PSTR("1:1"), PSTR(""), PSTR(""));
    for (const auto& k : kDialogs) {
        DialogRef d = GetNewDialog(k.id, nullptr, reinterpret_cast<WindowRef>(-1));
        ASSERT_NE(d, nullptr);
        SetDialogDefaultItem(d, 1);
        ShowWindow(GetDialogWindow(d));
        DrawDialog(d);
        golden::expectMatchesGolden(contentOf(GetDialogWindow(d)), k.golden);
        DisposeDialog(d);
    }
}

toolbox::Image gAlertImage;

Boolean snapshotThenOK(DialogRef d, EventRecord*, DialogItemIndex* item)
{
    gAlertImage = contentOf(GetDialogWindow(d));
    *item = 1;
    return true;
}

// The stop alerts: the two notes about a replaced automatic ratio, an error
// the application cannot recover from, and a plain message.
TEST_F(Goldens, StopAlerts)
{
    const struct {
        short id;
        const unsigned char* params[4];
        const char* golden;
    } kAlerts[] = {
        {132, {PSTR(""), PSTR(""), PSTR(""), PSTR("")}, "controls/alert-ratio-cache-off"},
        {133, {PSTR(""), PSTR(""), PSTR(""), PSTR("")}, "controls/alert-ratio-in-use"},
        {10001, {PSTR("Failed to GetFPos on file!"), PSTR("PFiles"), PSTR("512"), PSTR("-51")},
            "controls/error-alert"},
        {10002,
            {PSTR("Tarnwick X cannot run in the MacOS X Classic environment."), PSTR(""), PSTR(""), PSTR("")},
            "controls/message-alert"},
    };
    for (const auto& a : kAlerts) {
        ParamText(a.params[0], a.params[1], a.params[2], a.params[3]);
        key('x', 7);
        EXPECT_EQ(StopAlert(a.id, snapshotThenOK), 1) << a.id;
        golden::expectMatchesGolden(gAlertImage, a.golden);
    }
}

} // namespace
} // namespace controls_test
