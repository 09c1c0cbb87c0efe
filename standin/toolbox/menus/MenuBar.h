// The menu bar's state inside the layer: which menus stand in the bar (left
// to right) and in the pop-up list, the highlighted title, and the geometry
// the tracking code and event scripts share.
#pragma once

#include <Menus.h>

#include "menus/MenuRecord.h"
#include "quickdraw/Region.h"

#include <string>
#include <vector>

namespace toolbox {

struct TitleSlot {
    MenuRef menu = nullptr;
    IRect bounds; // the highlighted area, global
    int textLeft = 0;
};

class MenuBarState {
public:
    std::vector<MenuRef> bar; // left to right
    std::vector<MenuRef> popups; // inserted with hierMenu
    std::vector<MenuRef> live; // every menu not yet disposed
    MenuID highlighted = 0;
    bool invalid = false;
    bool everDrawn = false;

    bool isLive(MenuRef m) const;
    bool inBar(MenuRef m) const;
    MenuRef find(MenuID id) const;
    std::vector<TitleSlot> titleSlots() const;
};

MenuBarState& menuBar();

void invalidateMenuBar();
// Draws the bar if something changed it since it was last drawn.
void flushMenuBar();
void drawMenuBarNow();
void drawTitle(const TitleSlot& slot, bool highlighted);

// A new menu from the bytes of a 'MENU' resource; nullptr if they are malformed.
MenuRef menuFromResource(const UInt8* data, size_t size);

// The points to press on the title and release on the item, for an event
// script's `menu TITLE ITEM`; false with a reason if there is no such item.
bool locateMenuItem(const std::string& title, const std::string& item, Point& titlePoint, Point& itemPoint,
    std::string& error);

} // namespace toolbox
