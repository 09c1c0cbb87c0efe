// What the Menu Manager keeps for a menu: its ID, title, enabled state and
// items. Item texts are Mac OS Roman bytes without metacharacters.
#pragma once

#include <Menus.h>

#include <string>
#include <vector>

namespace toolbox {

struct MenuItem {
    std::string text;
    bool enabled = true;
    UInt8 commandKey = 0;
    UInt8 mark = 0;
    Style style = 0;
    UInt8 icon = 0;

    bool isDivider() const { return text == "-"; }
};

} // namespace toolbox

struct OpaqueMenuRef {
    MenuID id = 0;
    std::string title;
    bool enabled = true;
    std::vector<toolbox::MenuItem> items;
    // While a pop-up control shows this menu, the menu is at least as wide as
    // the control's box, so a release anywhere over the box lands on an item.
    int minimumWidth = 0;
    // The menu's font: the system font, or while a pop-up in its window's
    // font shows the menu, that font.
    short font = 0;
    short size = 0;
};
