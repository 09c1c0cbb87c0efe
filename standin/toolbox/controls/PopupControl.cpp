// Pop-up menu controls: the menu they show, shared by every pop-up of the
// same menu ID, and the tracking that puts the current item over the control.
#include "controls/ControlRecord.h"
#include "menus/MenuRecord.h"

#include <Events.h>

#include <map>

namespace toolbox {

namespace {

struct SharedMenu {
    MenuRef menu = nullptr;
    int users = 0;
    bool loadedHere = false; // loaded from the resource by us, so ours to remove
};

std::map<short, SharedMenu>& sharedMenus()
{
    // Never destroyed: what it holds lives as long as the process, as on a
    // Mac, and stays reachable for leak checkers at exit.
    static auto& menus = *new std::map<short, SharedMenu>;
    return menus;
}

} // namespace

bool attachPopupMenu(ControlRef control, short menuID)
{
    SharedMenu& shared = sharedMenus()[menuID];
    if (!shared.menu) {
        shared.menu = GetMenuHandle(menuID);
        shared.loadedHere = false;
        if (!shared.menu) {
            shared.menu = GetMenu(menuID);
            if (!shared.menu) {
                sharedMenus().erase(menuID);
                return false;
            }
            InsertMenu(shared.menu, hierMenu);
            shared.loadedHere = true;
        }
    }
    ++shared.users;
    control->menu = shared.menu;
    control->menuID = menuID;
    return true;
}

void detachPopupMenu(ControlRef control)
{
    const auto it = sharedMenus().find(control->menuID);
    if (it == sharedMenus().end() || it->second.menu != control->menu)
        return;
    if (--it->second.users == 0) {
        if (it->second.loadedHere) {
            DeleteMenu(GetMenuID(it->second.menu));
            DisposeMenu(it->second.menu);
        }
        sharedMenus().erase(it);
    }
    control->menu = nullptr;
}

ControlPartCode trackPopup(ControlRef control)
{
    MenuRef menu = control->menu;
    if (!menu)
        return kControlNoPart;
    const UInt16 count = CountMenuItems(menu);
    for (UInt16 i = 1; i <= count; ++i)
        SetItemMark(menu, static_cast<short>(i), i == control->value ? checkMark : noMark);

    // The menu opens with the current item over the control's box.
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(control->owner);
    const Rect box = popupBoxOf(control);
    Point corner = {box.top, box.left};
    LocalToGlobal(&corner);
    if (control->windowFont) {
        menu->font = GetPortTextFont(GetWindowPort(control->owner));
        menu->size = GetPortTextSize(GetWindowPort(control->owner));
    }
    SetPort(saved);

    HiliteControl(control, kControlMenuPart);
    QDFlushPortBuffer(GetWindowPort(control->owner), nullptr);
    menu->minimumWidth = box.right - box.left + 2; // PopUpMenuSelect opens one pixel left of the box
    const long chosen = PopUpMenuSelect(menu, corner.v, corner.h, control->value);
    menu->minimumWidth = 0;
    menu->font = menu->size = 0;
    EventRecord up;
    GetNextEvent(mUpMask, &up); // the release that ended the choice is ours
    HiliteControl(control, kControlNoPart);
    const short item = static_cast<short>(chosen & 0xFFFF);
    if ((chosen >> 16) == 0 || item <= 0) {
        QDFlushPortBuffer(GetWindowPort(control->owner), nullptr);
        return kControlNoPart;
    }
    SetControlValue(control, item);
    QDFlushPortBuffer(GetWindowPort(control->owner), nullptr);
    return kControlMenuPart;
}

} // namespace toolbox

MenuRef GetControlPopupMenuHandle(ControlRef control)
{
    return control && control->kind == toolbox::ControlKind::Popup ? control->menu : nullptr;
}

short GetControlPopupMenuID(ControlRef control)
{
    return control && control->kind == toolbox::ControlKind::Popup ? control->menuID : 0;
}
