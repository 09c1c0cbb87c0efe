#include <framework/PPopupMenu.h>

#include <Menus.h>

#include <cstdint>

namespace {

constexpr short kPopupInWindowFont = popupMenuProc + popupUseWFont;
constexpr short kNoTitleArea = 0;

// The pop-up's own action routine: it shows the menu and tracks it.
ControlActionUPP ownActionRoutine()
{
    return reinterpret_cast<ControlActionUPP>(static_cast<std::intptr_t>(-1));
}

} // namespace

PPopupMenu::PPopupMenu(short x1, short y1, short x2, short y2, const unsigned char* title, long menuID,
    unsigned long selectedItem)
    : PStandardControl(
        x1, y1, x2, y2, title, 0, static_cast<short>(menuID), kNoTitleArea, kPopupInWindowFont, "PPopupMenu")
{
    selectItem(selectedItem);
}

PPopupMenu::~PPopupMenu() = default;

void PPopupMenu::setTitle(const unsigned char* title)
{
    if (myControl)
        SetControlTitle(myControl, title);
}

void PPopupMenu::selectItem(unsigned long item)
{
    if (myControl)
        SetControlValue(myControl, static_cast<short>(item));
}

unsigned long PPopupMenu::getSelectedItem()
{
    return myControl ? static_cast<unsigned long>(GetControlValue(myControl)) : 0;
}

void PPopupMenu::setItemText(unsigned long item, const unsigned char* text)
{
    if (MenuRef menu = myControl ? GetControlPopupMenuHandle(myControl) : nullptr)
        SetMenuItemText(menu, static_cast<MenuItemIndex>(item), text);
}

void PPopupMenu::enableItem(short item)
{
    if (MenuRef menu = myControl ? GetControlPopupMenuHandle(myControl) : nullptr)
        EnableMenuItem(menu, item);
}

void PPopupMenu::disableItem(short item)
{
    if (MenuRef menu = myControl ? GetControlPopupMenuHandle(myControl) : nullptr)
        DisableMenuItem(menu, item);
}

char PPopupMenu::handleMouseDown(const EventRecord* theEvent)
{
    if (!trackClick(theEvent, ownActionRoutine()))
        return false;
    handleClick();
    return true;
}
