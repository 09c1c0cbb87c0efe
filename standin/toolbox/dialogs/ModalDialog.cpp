// ModalDialog: a nested event loop for the front dialog. It reads only mouse
// and key events, so high-level events (quit) wait for the program's own loop,
// and it redraws the dialog itself rather than asking for update events, which
// leaves the other windows' updates for after the dialog.
#include "dialogs/DialogRecord.h"
#include "events/EventCenter.h"

#include <Sound.h>

namespace {

constexpr EventMask kModalEvents = mDownMask | mUpMask | keyDownMask | autoKeyMask;

// The front window's dialog; else (a program that forgot to show it) the
// newest dialog, brought forward, so that the loop never waits on nothing.
DialogRef frontDialog()
{
    if (DialogRef d = GetDialogFromWindow(FrontWindow()))
        return d;
    DialogRef d = toolbox::newestDialog();
    if (d) {
        ShowWindow(d->window);
        SelectWindow(d->window);
    }
    return d;
}

// Shows the button pressed for a moment, as a Mac does when a key hits it.
void flash(DialogRef d, DialogItemIndex item)
{
    ControlRef c = d->items[static_cast<size_t>(item - 1)].control;
    if (!c || !IsControlVisible(c) || !IsControlActive(c))
        return;
    HiliteControl(c, kControlButtonPart);
    QDFlushPortBuffer(GetWindowPort(d->window), nullptr);
    HiliteControl(c, kControlNoPart);
    QDFlushPortBuffer(GetWindowPort(d->window), nullptr);
}

bool usable(DialogRef d, DialogItemIndex item)
{
    if (item < 1 || item > CountDITL(d))
        return false;
    const toolbox::DialogItem& it = d->items[static_cast<size_t>(item - 1)];
    return it.enabled() && (!it.control || IsControlActive(it.control));
}

// The item a mouse-down in the dialog hit, or 0.
DialogItemIndex clickedItem(DialogRef d, Point where)
{
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(d->window);
    GlobalToLocal(&where);
    DialogItemIndex hit = 0;
    for (size_t i = 0; i < d->items.size() && !hit; ++i) {
        const toolbox::DialogItem& item = d->items[i];
        if (!PtInRect(where, &item.box))
            continue;
        if (item.control) {
            if (TestControl(item.control, where) == kControlNoPart)
                continue;
            if (TrackControl(item.control, where, nullptr) == kControlNoPart)
                break; // released outside: nothing hit
        }
        if (item.enabled())
            hit = static_cast<DialogItemIndex>(i + 1);
        break;
    }
    SetPort(saved);
    return hit;
}

DialogItemIndex keyItem(DialogRef d, const EventRecord& e)
{
    const char c = static_cast<char>(e.message & charCodeMask);
    if (c == '\r' || c == 0x03)
        return d->defaultItem;
    if (c == 0x1B || ((e.modifiers & cmdKey) && c == '.'))
        return d->cancelItem;
    return 0;
}

} // namespace

void ModalDialog(ModalFilterUPP filterProc, DialogItemIndex* itemHit)
{
    DialogRef d = frontDialog();
    if (!itemHit)
        return;
    *itemHit = 0;
    if (!d)
        return;
    toolbox::WaitLabel label("ModalDialog");
    for (;;) {
        toolbox::updateDialog(d);
        EventRecord e;
        if (!WaitNextEvent(kModalEvents, &e, 30, nullptr))
            continue;
        DialogItemIndex item = 0;
        if (filterProc && filterProc(d, &e, &item)) {
            *itemHit = item;
            break;
        }
        if (e.what == mouseDown) {
            WindowRef w = nullptr;
            const WindowPartCode part = FindWindow(e.where, &w);
            if (w != d->window) {
                SysBeep(1);
                continue;
            }
            if (part == inDrag) {
                RgnHandle gray = GetGrayRgn();
                Rect limits;
                GetRegionBounds(gray, &limits);
                DragWindow(d->window, e.where, &limits);
                continue;
            }
            if (part != inContent)
                continue;
            item = clickedItem(d, e.where);
        } else if (e.what == keyDown || e.what == autoKey) {
            item = keyItem(d, e);
            if (usable(d, item))
                flash(d, item);
        }
        if (usable(d, item)) {
            *itemHit = item;
            break;
        }
    }
    toolbox::logDialogClosed(d->logKind, d->logID, *itemHit);
}
