// Dialogs and alerts from the application's resources, driven by queued keys
// and clicks: which item ModalDialog reports, ParamText in the texts, and the
// record of what was shown.
#include "ToolboxFixture.h"

#include <testkit/PString.h>

#include <Dialogs.h>
#include <Events.h>
#include <dialogs/DialogRecord.h>
#include <quickdraw/DrawnTexts.h>

#include <string>

namespace controls_test {
namespace {

constexpr unsigned char kReturnKey = 0x24;
constexpr unsigned char kEnterKey = 0x4C;
constexpr unsigned char kEscapeKey = 0x35;

class Dialogs : public ToolboxFixture {
protected:
    void SetUp() override
    {
        ToolboxFixture::SetUp();
        ParamText(PSTR("400"), PSTR("1:1"), PSTR(""), PSTR(""));
    }
    // Dialog 130 (400 x 184) sits centred across the screen, a third of the
    // free height below the menu bar: content at (120, 112). The clicks below
    // rely on that place.
    static constexpr short kLeft = 120;
    static constexpr short kTop = 112;

    DialogRef openSpeedWarning()
    {
        DialogRef d = GetNewDialog(130, nullptr, reinterpret_cast<WindowRef>(-1));
        EXPECT_NE(d, nullptr);
        SetDialogDefaultItem(d, 1);
        ShowWindow(GetDialogWindow(d));
        SelectWindow(GetDialogWindow(d));
        return d;
    }
    static DialogItemIndex run()
    {
        DialogItemIndex item = -7;
        ModalDialog(nullptr, &item);
        return item;
    }
};

TEST_F(Dialogs, KeysAndClicksHitTheirItems)
{
    const struct {
        const char* what;
        void (*input)();
        DialogItemIndex item;
    } kCases[] = {
        {"Return hits the default item", [] { key('\r', kReturnKey); }, 1},
        {"Enter hits the default item", [] { key(0x03, kEnterKey); }, 1},
        {"a click on Change", [] { click(kLeft + 260, kTop + 160); }, 2},
        {"a click on Cancel", [] { click(kLeft + 340, kTop + 160); }, 1},
        {"a click on the check box", [] { click(kLeft + 75, kTop + 128); }, 6},
        {"a click on its title", [] { click(kLeft + 200, kTop + 128); }, 6},
        {"other keys, then Return",
            [] {
                key('x', 7);
                key('\x1B', kEscapeKey);
                key('\r', kReturnKey);
            },
            1},
        {"a click on the text, then Return",
            [] {
                click(kLeft + 100, kTop + 20);
                key('\r', kReturnKey);
            },
            1},
        {"a click outside the dialog, then Return",
            [] {
                click(20, 400);
                key('\r', kReturnKey);
            },
            1},
        {"Change pressed but released outside it, then a click on Cancel",
            [] {
                press(kLeft + 260, kTop + 160);
                release(kLeft + 260, kTop + 110);
                click(kLeft + 340, kTop + 160);
            },
            1},
    };
    for (const auto& c : kCases) {
        DialogRef d = openSpeedWarning();
        c.input();
        EXPECT_EQ(run(), c.item) << c.what;
        ControlRef box = nullptr;
        ASSERT_EQ(GetDialogItemAsControl(d, 6, &box), noErr);
        EXPECT_EQ(GetControlValue(box), 0) << c.what << ": the program toggles the box, not the dialog";
        DisposeDialog(d);
    }
}

TEST_F(Dialogs, ADialogLeftHiddenIsShownRatherThanWaitedOnUnseen)
{
    DialogRef d = GetNewDialog(130, nullptr, reinterpret_cast<WindowRef>(-1));
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDialogWindow(d)));
    key('\r', kReturnKey);
    EXPECT_EQ(run(), 1);
    EXPECT_TRUE(IsWindowVisible(GetDialogWindow(d)));
    DisposeDialog(d);
}

TEST_F(Dialogs, EscapeHitsTheCancelItemOnceOneIsSet)
{
    DialogRef d = openSpeedWarning();
    SetDialogCancelItem(d, 2);
    key('\x1B', kEscapeKey);
    EXPECT_EQ(run(), 2);
    key('.', 47, cmdKey);
    EXPECT_EQ(run(), 2);
    DisposeDialog(d);
}

TEST_F(Dialogs, ADimmedButtonIsNeitherClickedNorHitByItsKey)
{
    DialogRef d = openSpeedWarning();
    ControlRef cancel = nullptr;
    GetDialogItemAsControl(d, 1, &cancel);
    HiliteControl(cancel, kControlInactivePart);
    click(kLeft + 340, kTop + 160);
    key('\r', kReturnKey);
    click(kLeft + 260, kTop + 160);
    EXPECT_EQ(run(), 2);
    DisposeDialog(d);
}

std::string allDrawnText(CGrafPtr port)
{
    std::string all;
    for (const auto& t : toolbox::drawnTexts(port))
        all += t.text + " ";
    return all;
}

TEST_F(Dialogs, ParamTextFillsTheStaticTextsWhenTheyAreDrawn)
{
    DialogRef d = openSpeedWarning();
    DrawDialog(d);
    EXPECT_NE(allDrawnText(GetDialogPort(d)).find("At 1:1 the backside cache would run at 400 MHz, which "),
        std::string::npos)
        << allDrawnText(GetDialogPort(d));
    ParamText(PSTR("267"), PSTR("3:2"), nullptr, nullptr);
    DrawDialog(d);
    EXPECT_NE(allDrawnText(GetDialogPort(d)).find("At 3:2 the backside cache would run at 267 MHz"),
        std::string::npos);
    DisposeDialog(d);
}

TEST_F(Dialogs, AParameterHoldingACaretIsNotExpandedAgain)
{
    ParamText(PSTR("^1 left"), PSTR("right"), PSTR(""), PSTR(""));
    const struct {
        const char* text;
        const char* expected;
    } kTexts[]
        = {{"^0", "^1 left"}, {"^0 and ^1", "^1 left and right"}, {"^9^", "^9^"}, {"^1^1", "rightright"}};
    for (const auto& t : kTexts)
        EXPECT_EQ(toolbox::substituteParams(t.text), t.expected) << t.text;
}

TEST_F(Dialogs, StopAlertReturnsTheItemHitAndIsRecorded)
{
    // Alert 10001 (400 x 132) at (120, 129): OK at 314,100 within it.
    const struct {
        const char* what;
        void (*input)();
    } kWays[] = {
        {"a click on OK", [] { click(120 + 340, 129 + 110); }},
        {"Return", [] { key('\r', kReturnKey); }},
    };
    for (const auto& w : kWays) {
        toolbox::clearDialogLog();
        ParamText(PSTR("Failed to open file!"), PSTR("PFiles"), PSTR("123"), PSTR("-43"));
        w.input();
        EXPECT_EQ(StopAlert(10001, nullptr), 1) << w.what;
        ASSERT_EQ(toolbox::dialogLog().size(), 1u);
        const auto& entry = toolbox::dialogLog().front();
        EXPECT_EQ(entry.kind, "alert");
        EXPECT_EQ(entry.id, 10001);
        EXPECT_EQ(entry.params[0], "Failed to open file!");
        EXPECT_EQ(entry.params[1], "PFiles");
        EXPECT_EQ(entry.params[2], "123");
        EXPECT_EQ(entry.params[3], "-43");
        EXPECT_EQ(entry.itemHit, 1);
    }
    EXPECT_EQ(FrontWindow(), window_) << "the alert is gone";
}

TEST_F(Dialogs, AMissingAlertOrDialogGivesNothing)
{
    toolbox::clearDialogLog();
    testing::internal::CaptureStderr();
    EXPECT_EQ(StopAlert(4242, nullptr), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "alert 4242 cannot be shown: no usable 'ALRT' 4242 in the open resource files\n");
    ASSERT_EQ(toolbox::dialogLog().size(), 1u);
    EXPECT_EQ(toolbox::dialogLog().front().itemHit, -1);
    EXPECT_EQ(Alert(4242, nullptr), -1);
    EXPECT_EQ(GetNewDialog(4242, nullptr, reinterpret_cast<WindowRef>(-1)), nullptr);
}

} // namespace
} // namespace controls_test
