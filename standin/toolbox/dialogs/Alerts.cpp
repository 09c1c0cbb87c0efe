// Alerts: a dialog made from an 'ALRT' and its 'DITL', shown at the stage the
// alert has reached, run until an enabled item is hit, then disposed of.
#include "dialogs/DialogRecord.h"

#include <MacMemory.h>
#include <Resources.h>
#include <Sound.h>

#include <cstdio>

namespace {

short gLastAlert = -1;
int gStage = 0; // 0..3: which nibble of the stages word applies next

DialogItemIndex runAlert(SInt16 alertID, ModalFilterUPP filter, int iconKind)
{
    Handle h = GetResource(FOUR_CHAR_CODE("ALRT"), alertID);
    const auto t = h && *h ? toolbox::parseAlertTemplate(
                       reinterpret_cast<const uint8_t*>(*h), static_cast<size_t>(GetHandleSize(h)))
                           : std::nullopt;
    if (!t) {
        // A Mac only beeps; say why too, or a fatal error would pass unseen.
        std::fprintf(stderr, "alert %d cannot be shown: no usable 'ALRT' %d in the open resource files\n",
            alertID, alertID);
        toolbox::logDialogShown("alert", alertID);
        toolbox::logDialogClosed("alert", alertID, -1);
        SysBeep(1);
        return -1;
    }
    if (alertID != gLastAlert) {
        gLastAlert = alertID;
        gStage = 0;
    }
    const unsigned stage = (t->stages >> (4 * gStage)) & 0xF;
    if (gStage < 3)
        ++gStage;
    for (unsigned i = 0; i < (stage & 3); ++i)
        SysBeep(1);
    if (!(stage & 4))
        return -1;

    toolbox::DialogTemplate dt;
    dt.bounds = t->bounds;
    dt.procID = dBoxProc;
    dt.visible = false;
    dt.itemListID = t->itemListID;
    dt.position = t->position;
    DialogRef d = toolbox::createDialog(dt, "alert", alertID);
    if (!d) {
        std::fprintf(stderr, "alert %d cannot be shown: no usable 'DITL' %d in the open resource files\n",
            alertID, t->itemListID);
        toolbox::logDialogShown("alert", alertID);
        toolbox::logDialogClosed("alert", alertID, -1);
        return -1;
    }
    d->iconKind = iconKind;
    d->defaultItem = (stage & 8) ? 2 : 1;
    d->defaultRing = true;
    ShowWindow(d->window);
    SelectWindow(d->window);
    DialogItemIndex item = 0;
    ModalDialog(filter, &item);
    DisposeDialog(d);
    return item;
}

} // namespace

DialogItemIndex Alert(SInt16 alertID, ModalFilterUPP modalFilter)
{
    return runAlert(alertID, modalFilter, -1);
}

DialogItemIndex StopAlert(SInt16 alertID, ModalFilterUPP modalFilter)
{
    return runAlert(alertID, modalFilter, kStopIcon);
}

DialogItemIndex NoteAlert(SInt16 alertID, ModalFilterUPP modalFilter)
{
    return runAlert(alertID, modalFilter, kNoteIcon);
}

DialogItemIndex CautionAlert(SInt16 alertID, ModalFilterUPP modalFilter)
{
    return runAlert(alertID, modalFilter, kCautionIcon);
}

void ResetAlertStage()
{
    gStage = 0;
}
