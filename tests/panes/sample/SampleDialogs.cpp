#include "SampleDialogs.h"

#include "SampleLog.h"

#include <Controls.h>
#include <Dialogs.h>
#include <MacWindows.h>

namespace {

constexpr short kWarningDialog = 128;
constexpr DialogItemIndex kDecline = 1;
constexpr DialogItemIndex kGoAhead = 2;
constexpr DialogItemIndex kDontShowAgain = 4;
constexpr short kMessageAlert = 10002;

} // namespace

void ShowSampleWarning()
{
    GrafPtr savedPort;
    GetPort(&savedPort);
    DialogRef dialog = GetNewDialog(kWarningDialog, nullptr, reinterpret_cast<WindowRef>(-1));
    if (dialog == nullptr) {
        LogLine("dialog 128 is missing");
        return;
    }
    SetDialogDefaultItem(dialog, kDecline);
    ShowWindow(GetDialogWindow(dialog));
    SelectWindow(GetDialogWindow(dialog));
    SetPortDialogPort(dialog);

    DialogItemIndex item = 0;
    do {
        ModalDialog(nullptr, &item);
        if (item == kDontShowAgain) {
            ControlRef box = nullptr;
            if (GetDialogItemAsControl(dialog, kDontShowAgain, &box) == noErr && box)
                SetControlValue(box, GetControlValue(box) ? 0 : 1);
        }
    } while (item != kDecline && item != kGoAhead);
    DisposeDialog(dialog);
    SetPort(savedPort);
    LogLine("dialog 128 -> item " + std::to_string(item));
}

void ShowSampleAlert()
{
    ParamText(PSTR("The sample shows the stop alert of the resource file."), PSTR(""), PSTR(""), PSTR(""));
    const DialogItemIndex item = StopAlert(kMessageAlert, nullptr);
    LogLine("alert 10002 -> item " + std::to_string(item));
}
