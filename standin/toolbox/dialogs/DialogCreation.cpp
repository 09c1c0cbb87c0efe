// Making dialogs from their resources, taking them apart, and the calls that
// reach into their items.
#include "dialogs/DialogRecord.h"

#include <MacMemory.h>
#include <Resources.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace toolbox {

namespace {

// The platinum grey of dialog boxes.
const RGBColor kDialogBackground = {0xDDDD, 0xDDDD, 0xDDDD};

std::map<WindowRef, DialogRef>& dialogsByWindow()
{
    // Never destroyed: what it holds lives as long as the process, as on a
    // Mac, and stays reachable for leak checkers at exit.
    static auto& dialogs = *new std::map<WindowRef, DialogRef>;
    return dialogs;
}

// Oldest first.
std::vector<DialogRef>& dialogsInOrder()
{
    // Never destroyed: what it holds lives as long as the process, as on a
    // Mac, and stays reachable for leak checkers at exit.
    static auto& dialogs = *new std::vector<DialogRef>;
    return dialogs;
}

constexpr short kScreenWidth = 640;
constexpr short kScreenHeight = 480;
constexpr short kMenuBarHeight = 20;

// Applies a 'DLOG'/'ALRT' position code: centred, or at the alert position
// (a third of the free height above the window) on the screen below the menu bar.
Rect placed(const Rect& bounds, uint16_t position)
{
    const int kind = (position >> 11) & 7;
    if ((position & 0x07FF) != 0x000A || (kind != 5 && kind != 6))
        return bounds;
    const short width = static_cast<short>(bounds.right - bounds.left);
    const short height = static_cast<short>(bounds.bottom - bounds.top);
    const int freeHeight = std::max(0, kScreenHeight - kMenuBarHeight - height);
    Rect r;
    r.left = static_cast<short>(std::max(0, (kScreenWidth - width) / 2));
    r.top = static_cast<short>(kMenuBarHeight + (kind == 5 ? freeHeight / 2 : freeHeight / 3));
    r.right = static_cast<short>(r.left + width);
    r.bottom = static_cast<short>(r.top + height);
    return r;
}

Handle textHandleOf(const std::string& text)
{
    Handle h = NewHandle(static_cast<Size>(text.size()));
    if (h && !text.empty())
        std::memcpy(*h, text.data(), text.size());
    return h;
}

std::optional<std::vector<DialogItem>> loadItemList(short id)
{
    Handle h = GetResource(FOUR_CHAR_CODE("DITL"), id);
    if (!h || !*h)
        return std::nullopt;
    return parseItemList(reinterpret_cast<const uint8_t*>(*h), static_cast<size_t>(GetHandleSize(h)));
}

} // namespace

DialogRef createDialog(const DialogTemplate& t, const char* logKind, short logID)
{
    auto items = loadItemList(t.itemListID);
    if (!items)
        return nullptr;
    const Rect bounds = placed(t.bounds, t.position);
    Str255 title;
    title[0] = static_cast<unsigned char>(std::min<size_t>(t.title.size(), 255));
    std::memcpy(title + 1, t.title.data(), title[0]);
    WindowRef window
        = NewCWindow(nullptr, &bounds, title, false, t.procID, reinterpret_cast<WindowRef>(-1), false, 0);
    if (!window)
        return nullptr;

    auto* d = new OpaqueDialogPtr;
    d->window = window;
    d->items = std::move(*items);
    d->logKind = logKind;
    d->logID = logID;
    dialogsByWindow()[window] = d;
    dialogsInOrder().push_back(d);

    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(window);
    TextFont(0);
    TextSize(0);
    RGBBackColor(&kDialogBackground);
    for (DialogItem& item : d->items) {
        switch (item.kind()) {
        case kButtonDialogItem:
        case kCheckBoxDialogItem:
        case kRadioButtonDialogItem: {
            Str255 itemTitle;
            itemTitle[0] = static_cast<unsigned char>(item.text.size());
            std::memcpy(itemTitle + 1, item.text.data(), item.text.size());
            const SInt16 procID = static_cast<SInt16>(item.kind() - kButtonDialogItem);
            item.control = NewControl(window, &item.box, itemTitle, true, 0, 0, 1, procID, 0);
            break;
        }
        case kStaticTextDialogItem:
        case kEditTextDialogItem:
            item.textHandle = textHandleOf(item.text);
            break;
        default:
            break;
        }
    }
    SetPort(saved);
    if (t.visible)
        ShowWindow(window);
    logDialogShown(logKind, logID);
    return d;
}

DialogRef newestDialog()
{
    return dialogsInOrder().empty() ? nullptr : dialogsInOrder().back();
}

} // namespace toolbox

using toolbox::dialogsByWindow;
using toolbox::dialogsInOrder;

DialogRef GetNewDialog(SInt16 dialogID, void*, WindowRef)
{
    Handle h = GetResource(FOUR_CHAR_CODE("DLOG"), dialogID);
    if (!h || !*h)
        return nullptr;
    const auto t = toolbox::parseDialogTemplate(
        reinterpret_cast<const uint8_t*>(*h), static_cast<size_t>(GetHandleSize(h)));
    if (!t)
        return nullptr;
    return toolbox::createDialog(*t, "dialog", dialogID);
}

void DisposeDialog(DialogRef theDialog)
{
    if (!theDialog)
        return;
    for (toolbox::DialogItem& item : theDialog->items) {
        if (item.control)
            DisposeControl(item.control);
        if (item.textHandle)
            DisposeHandle(item.textHandle);
    }
    dialogsByWindow().erase(theDialog->window);
    std::erase(dialogsInOrder(), theDialog);
    DisposeWindow(theDialog->window);
    delete theDialog;
}

OSErr SetDialogDefaultItem(DialogRef theDialog, DialogItemIndex newItem)
{
    if (!theDialog || newItem < 1 || newItem > CountDITL(theDialog))
        return -50; // paramErr
    theDialog->defaultItem = newItem;
    theDialog->defaultRing = true;
    return noErr;
}

OSErr SetDialogCancelItem(DialogRef theDialog, DialogItemIndex newItem)
{
    if (!theDialog || newItem < 0 || newItem > CountDITL(theDialog))
        return -50; // paramErr
    theDialog->cancelItem = newItem;
    return noErr;
}

void GetDialogItem(
    DialogRef theDialog, DialogItemIndex itemNo, DialogItemType* itemType, Handle* item, Rect* box)
{
    if (!theDialog || itemNo < 1 || itemNo > CountDITL(theDialog))
        return;
    const toolbox::DialogItem& it = theDialog->items[static_cast<size_t>(itemNo - 1)];
    if (itemType)
        *itemType = it.type;
    if (item)
        *item = it.control ? reinterpret_cast<Handle>(it.control) : it.textHandle;
    if (box)
        *box = it.box;
}

OSErr GetDialogItemAsControl(DialogRef inDialog, SInt16 inItemNo, ControlRef* outControl)
{
    if (!inDialog || !outControl || inItemNo < 1 || inItemNo > CountDITL(inDialog))
        return -50; // paramErr
    ControlRef c = inDialog->items[static_cast<size_t>(inItemNo - 1)].control;
    if (!c)
        return -30598; // errItemNotControl
    *outControl = c;
    return noErr;
}

void GetDialogItemText(Handle item, Str255 text)
{
    if (!text)
        return;
    text[0] = 0;
    if (!item || !*item)
        return;
    const size_t n = std::min<size_t>(static_cast<size_t>(GetHandleSize(item)), 255);
    text[0] = static_cast<unsigned char>(n);
    std::memcpy(text + 1, *item, n);
}

void SetDialogItemText(Handle item, ConstStr255Param text)
{
    if (!item || !text)
        return;
    SetHandleSize(item, text[0]);
    if (MemError() == noErr && text[0])
        std::memcpy(*item, text + 1, text[0]);
    // Show the change: redraw the dialog the handle belongs to.
    for (const auto& [window, dialog] : dialogsByWindow()) {
        for (const toolbox::DialogItem& it : dialog->items) {
            if (it.textHandle == item)
                DrawDialog(dialog);
        }
    }
}

DialogItemIndex CountDITL(DialogRef theDialog)
{
    return theDialog ? static_cast<DialogItemIndex>(theDialog->items.size()) : 0;
}

WindowRef GetDialogWindow(DialogRef dialog)
{
    return dialog ? dialog->window : nullptr;
}

CGrafPtr GetDialogPort(DialogRef dialog)
{
    return dialog ? GetWindowPort(dialog->window) : nullptr;
}

DialogRef GetDialogFromWindow(WindowRef window)
{
    const auto it = dialogsByWindow().find(window);
    return it == dialogsByWindow().end() ? nullptr : it->second;
}

void SetPortDialogPort(DialogRef dialog)
{
    if (dialog)
        SetPortWindowPort(dialog->window);
}
