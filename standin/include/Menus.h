// Menus.h: the Menu Manager: the menu bar at the top of the screen, pull-down
// menus and pop-up menus.
//
// Provided: NewMenu, GetMenu ('MENU' resources), DisposeMenu, InsertMenu
// (also hierMenu/-1 for pop-up and submenus), DeleteMenu, ClearMenuBar,
// GetMenuHandle, GetMenuID, AppendMenu, InsertMenuItem, DeleteMenuItem,
// AppendResMenu, CountMenuItems, EnableMenuItem, DisableMenuItem,
// IsMenuItemEnabled, SetMenuItemText, GetMenuItemText, CheckMenuItem,
// SetItemMark, GetItemMark, SetItemCmd, GetItemCmd, SetMenuTitle, DrawMenuBar,
// InvalMenuBar, HiliteMenu, MenuSelect, MenuKey, PopUpMenuSelect.
//
// Metacharacters of AppendMenu and InsertMenuItem: ";" (or a return)
// separates items, "-" alone is a divider, "/c" gives the command key c,
// "(" disables the item, "!c" marks it with c, "<B", "<I", "<U" set a style;
// "^n" (icons) is accepted and ignored.
//
// Simplifications:
// - Item 0 stands for the whole menu in EnableMenuItem and DisableMenuItem.
// - AppendResMenu adds nothing: there are no desk accessories or fonts.
// - No hierarchical submenus in the bar (their items show, without the arrow).
// - The title "\x14" (the Apple menu) is drawn as a small logo of our own.
// - MenuSelect tracks while the button is held (no sticky menus).
#pragma once

#include <MacTypes.h>
#include <Quickdraw.h>

struct OpaqueMenuRef;
typedef OpaqueMenuRef* MenuRef;
typedef MenuRef MenuHandle;
typedef SInt16 MenuID;
typedef UInt16 MenuItemIndex;

enum : MenuID {
    hierMenu = -1,
    kInsertHierarchicalMenu = -1,
};

enum : CharParameter {
    noMark = 0,
    checkMark = 0x12,
    commandMark = 0x11,
};

MenuRef NewMenu(MenuID menuID, ConstStr255Param menuTitle);
// A new menu from 'MENU' resource resourceID (nullptr if absent or malformed).
MenuRef GetMenu(short resourceID);
void DisposeMenu(MenuRef theMenu);
// Adds the menu to the menu bar before the menu beforeID (0, or an ID not in
// the bar: at the right end); hierMenu puts it in the list of pop-up and
// submenus instead. A menu already inserted is left where it is.
void InsertMenu(MenuRef theMenu, MenuID beforeID);
// Removes the menu with that ID from the bar (or the pop-up list).
void DeleteMenu(MenuID menuID);
void ClearMenuBar();
// The inserted menu with that ID, or nullptr.
MenuRef GetMenuHandle(MenuID menuID);
MenuID GetMenuID(MenuRef menu);
void SetMenuTitle(MenuRef theMenu, ConstStr255Param title);

void AppendMenu(MenuRef menu, ConstStr255Param data);
void InsertMenuItem(MenuRef theMenu, ConstStr255Param itemString, short afterItem);
void DeleteMenuItem(MenuRef theMenu, short item);
void AppendResMenu(MenuRef theMenu, ResType theType);
UInt16 CountMenuItems(MenuRef theMenu);
void EnableMenuItem(MenuRef theMenu, MenuItemIndex item);
void DisableMenuItem(MenuRef theMenu, MenuItemIndex item);
Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item);
void SetMenuItemText(MenuRef theMenu, MenuItemIndex item, ConstStr255Param itemString);
void GetMenuItemText(MenuRef theMenu, MenuItemIndex item, Str255 itemString);
void CheckMenuItem(MenuRef theMenu, short item, Boolean checked);
void SetItemMark(MenuRef theMenu, short item, CharParameter markChar);
void GetItemMark(MenuRef theMenu, short item, CharParameter* markChar);
void SetItemCmd(MenuRef theMenu, short item, CharParameter cmdChar);
void GetItemCmd(MenuRef theMenu, short item, CharParameter* cmdChar);

void DrawMenuBar();
// As DrawMenuBar, at the next event wait.
void InvalMenuBar();
// Highlights the title of menuID and un-highlights the one highlighted
// before; 0 un-highlights.
void HiliteMenu(MenuID menuID);
// Tracks a press in the menu bar at startPt (global) until the button is
// released: ID in the high 16 bits and item in the low 16 bits of the item
// released on, or 0 when released outside every enabled item. A chosen title
// stays highlighted (HiliteMenu(0) un-highlights it).
long MenuSelect(Point startPt);
// The enabled item of an enabled menu in the bar whose command key is ch
// (case-insensitive), in the same form; its title is highlighted. 0 if none.
long MenuKey(CharParameter ch);
// Shows theMenu with item popUpItem's top-left at (left, top) (global) and
// tracks the mouse as MenuSelect does; the held button is expected (the
// press that opened the pop-up). Result as MenuSelect's.
long PopUpMenuSelect(MenuRef menu, short top, short left, short popUpItem);
