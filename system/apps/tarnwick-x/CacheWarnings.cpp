// Both warnings run a modal dialog from the application's resources nested
// in the click that asked for the change. A missing dialog resource counts as
// declining: the change that needs the warning is not made unwarned.
#include "CacheWarnings.h"

#include "PaneText.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <registers/L2CRFields.h>
#include <registers/L2CacheSpeed.h>

#include <Dialogs.h>
#include <Sound.h>
#include <TextUtils.h>

namespace {

constexpr SInt16 kAutoDetectWarningID = 128;
constexpr SInt16 kCacheSpeedWarningID = 130;
constexpr DialogItemIndex kDecline = 1;
constexpr DialogItemIndex kGoAhead = 2;

// Shows dialog `dialogID` until item 1 or 2 is hit; each hit on the check
// box `checkBoxItem` flips `displayWarning`, the box showing its negation.
short RunWarning(SInt16 dialogID, DialogItemIndex checkBoxItem, Boolean& displayWarning)
{
    GrafPtr savedPort;
    GetPort(&savedPort);
    DialogRef dialog = GetNewDialog(dialogID, nullptr, reinterpret_cast<WindowRef>(-1));
    if (!dialog)
        return kDecline;
    SetDialogDefaultItem(dialog, kDecline);
    ShowWindow(GetDialogWindow(dialog));
    SetPortDialogPort(dialog);
    SelectWindow(GetDialogWindow(dialog));
    ControlRef checkBox = nullptr;
    GetDialogItemAsControl(dialog, checkBoxItem, &checkBox);
    SysBeep(1);

    DialogItemIndex itemHit = 0;
    do {
        ModalDialog(nullptr, &itemHit);
        if (itemHit == checkBoxItem) {
            displayWarning = !displayWarning;
            if (checkBox)
                SetControlValue(checkBox, displayWarning ? 0 : 1);
        }
    } while (itemHit != kDecline && itemHit != kGoAhead);

    DisposeDialog(dialog);
    SetPort(savedPort);
    return itemHit;
}

} // namespace

short DoCacheSpeedWarning(unsigned long ratio)
{
    if (!prefs.display2_1Warning)
        return kGoAhead;
    const L2ClockRatio* clockRatio = L2ClockRatioOf(static_cast<UInt32>(ratio));
    if (!clockRatio)
        return kGoAhead; // only 1:1 and 3:2 are ever warned about
    Str255 megahertz;
    NumToString(static_cast<long>(WholeMHz(L2ClockSpeed(*clockRatio, theProcessor->getSpeed()))), megahertz);
    ParamText(megahertz, clockRatio->ratioText, PSTR(""), PSTR(""));
    return RunWarning(kCacheSpeedWarningID, 6, prefs.display2_1Warning);
}

short DoAutoDetectWarning()
{
    if (!prefs.displayAutoDetectWarning)
        return kGoAhead;
    return RunWarning(kAutoDetectWarningID, 4, prefs.displayAutoDetectWarning);
}

bool CacheSpeedWarningDeclined(UInt32 ratio)
{
    return (ratio == kOneToOne || ratio == kThreeToTwo) && DoCacheSpeedWarning(ratio) == kDecline;
}
