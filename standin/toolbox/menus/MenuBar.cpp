// The menu bar: which menus stand in it, drawing it, highlighting titles.
#include <Menus.h>

#include "appearance/MenuLook.h"
#include "appearance/Palette.h"
#include "events/EventCenter.h"
#include "menus/MenuBar.h"

#include <algorithm>
#include <cctype>

namespace toolbox {

bool MenuBarState::isLive(MenuRef m) const
{
    return m && std::find(live.begin(), live.end(), m) != live.end();
}

bool MenuBarState::inBar(MenuRef m) const
{
    return std::find(bar.begin(), bar.end(), m) != bar.end();
}

MenuRef MenuBarState::find(MenuID id) const
{
    for (MenuRef m : bar) {
        if (m->id == id)
            return m;
    }
    for (MenuRef m : popups) {
        if (m->id == id)
            return m;
    }
    return nullptr;
}

std::vector<TitleSlot> MenuBarState::titleSlots() const
{
    std::vector<TitleSlot> slots;
    int x = kFirstTitleLeft;
    for (MenuRef m : bar) {
        int width = menuTitleWidth(m->title) + 2 * kTitlePadding;
        slots.push_back(TitleSlot {m, IRect {x, 0, x + width, look::kMenuBarHeight - 1}, x + kTitlePadding});
        x += width;
    }
    return slots;
}

MenuBarState& menuBar()
{
    // Never destroyed: what it holds lives as long as the process, as on a
    // Mac, and stays reachable for leak checkers at exit.
    static MenuBarState& state = *new MenuBarState;
    return state;
}

void invalidateMenuBar()
{
    menuBar().invalid = true;
}

void flushMenuBar()
{
    if (menuBar().invalid)
        drawMenuBarNow();
}

void drawMenuBarNow()
{
    auto& state = menuBar();
    state.invalid = false;
    state.everDrawn = true;
    drawMenuBarBackground();
    for (const auto& slot : state.titleSlots())
        drawMenuTitleLook(slot, slot.menu->id == state.highlighted);
}

void drawTitle(const TitleSlot& slot, bool highlighted)
{
    drawMenuTitleLook(slot, highlighted);
}

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(UInt8(c)));
    return s;
}

} // namespace

bool locateMenuItem(const std::string& title, const std::string& item, Point& titlePoint, Point& itemPoint,
    std::string& error)
{
    flushMenuBar();
    for (const auto& slot : menuBar().titleSlots()) {
        const std::string& t = slot.menu->title;
        if (t != title && !(isAppleMenuTitle(t) && lower(title) == "apple"))
            continue;
        MenuLayout layout = layoutMenu(*slot.menu, slot.bounds.left, look::kMenuBarHeight - 1);
        for (size_t i = 0; i < slot.menu->items.size(); ++i) {
            if (slot.menu->items[i].text != item)
                continue;
            const IRect& r = layout.items[i];
            titlePoint = Point {SInt16((slot.bounds.top + slot.bounds.bottom) / 2),
                SInt16((slot.bounds.left + slot.bounds.right) / 2)};
            itemPoint = Point {SInt16((r.top + r.bottom) / 2), SInt16((r.left + r.right) / 2)};
            return true;
        }
        error = "menu \"" + title + "\" has no item \"" + item + "\"";
        return false;
    }
    error = "no menu titled \"" + title + "\" in the menu bar";
    return false;
}

} // namespace toolbox

using toolbox::menuBar;

void InsertMenu(MenuRef theMenu, MenuID beforeID)
{
    auto& state = menuBar();
    if (!state.isLive(theMenu) || state.inBar(theMenu)
        || std::find(state.popups.begin(), state.popups.end(), theMenu) != state.popups.end())
        return;
    if (beforeID == hierMenu) {
        state.popups.push_back(theMenu);
        return;
    }
    auto before
        = std::find_if(state.bar.begin(), state.bar.end(), [&](MenuRef m) { return m->id == beforeID; });
    if (beforeID == 0)
        before = state.bar.end();
    state.bar.insert(before, theMenu);
    toolbox::invalidateMenuBar();
}

void DeleteMenu(MenuID menuID)
{
    auto& state = menuBar();
    for (auto it = state.bar.begin(); it != state.bar.end(); ++it) {
        if ((*it)->id == menuID) {
            state.bar.erase(it);
            if (state.highlighted == menuID)
                state.highlighted = 0;
            toolbox::invalidateMenuBar();
            return;
        }
    }
    std::erase_if(state.popups, [&](MenuRef m) { return m->id == menuID; });
}

void ClearMenuBar()
{
    menuBar().bar.clear();
    menuBar().highlighted = 0;
    toolbox::invalidateMenuBar();
}

MenuRef GetMenuHandle(MenuID menuID)
{
    return menuBar().find(menuID);
}

void DrawMenuBar()
{
    toolbox::EventCenter::get();
    toolbox::drawMenuBarNow();
}

void InvalMenuBar()
{
    toolbox::invalidateMenuBar();
}

void HiliteMenu(MenuID menuID)
{
    auto& state = menuBar();
    if (state.invalid) {
        state.highlighted = menuID;
        return;
    }
    if (state.highlighted == menuID)
        return;
    auto slots = state.titleSlots();
    for (const auto& slot : slots) {
        if (slot.menu->id == state.highlighted)
            toolbox::drawTitle(slot, false);
    }
    state.highlighted = 0;
    for (const auto& slot : slots) {
        if (slot.menu->id == menuID) {
            toolbox::drawTitle(slot, true);
            state.highlighted = menuID;
        }
    }
}
