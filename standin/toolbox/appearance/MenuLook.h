// How the menu bar and menus look: white bar with a black rule, titles in the
// system font (the Apple menu's title as our own small chip logo), menus as
// framed white boxes with a shadow, the chosen item inverted, disabled items
// grey, dividers as grey rules, command keys at the right after a command sign.
#pragma once

#include "menus/MenuBar.h"
#include "quickdraw/Region.h"

#include <string>
#include <vector>

struct OpaqueMenuRef;

namespace toolbox {

constexpr int kMenuItemHeight = 16;
constexpr int kMenuDividerHeight = 8;
constexpr int kFirstTitleLeft = 10;
constexpr int kTitlePadding = 8;

struct MenuLayout {
    IRect box; // the framed box, shadow not included
    std::vector<IRect> items; // item n at index n - 1, global
    IRect covered() const { return IRect {box.left, box.top, box.right + 1, box.bottom + 1}; }
};

bool isAppleMenuTitle(const std::string& title);
int menuTitleWidth(const std::string& title);
void drawMenuBarBackground();
void drawMenuTitleLook(const TitleSlot& slot, bool highlighted);
// The menu's box with its top-left corner at (left, top), kept on the screen.
MenuLayout layoutMenu(const OpaqueMenuRef& menu, int left, int top);
// Item n's top below the box's top edge.
int menuItemOffset(const OpaqueMenuRef& menu, int item);
void drawMenu(const OpaqueMenuRef& menu, const MenuLayout& layout);
void drawMenuItem(const OpaqueMenuRef& menu, const MenuLayout& layout, int item, bool highlighted);

} // namespace toolbox
