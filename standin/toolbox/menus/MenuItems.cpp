// Making menus (by hand or from 'MENU' resources) and changing their items.
#include <MacMemory.h>
#include <Menus.h>

#include "menus/MenuBar.h"
#include "menus/MenuRecord.h"

#if __has_include(<Resources.h>)
#include <Resources.h>
#define KORV_HAVE_RESOURCES 1
#endif

#include <algorithm>
#include <cctype>
#include <cstring>

using toolbox::menuBar;
using toolbox::MenuItem;

namespace {

std::string textOf(ConstStr255Param s)
{
    return s ? std::string(reinterpret_cast<const char*>(s + 1), s[0]) : "";
}

MenuItem* itemOf(MenuRef menu, int item)
{
    if (!menuBar().isLive(menu) || item < 1 || item > int(menu->items.size()))
        return nullptr;
    return &menu->items[size_t(item - 1)];
}

// One item of AppendMenu's text with its metacharacters taken out.
MenuItem parseItem(const std::string& spec)
{
    MenuItem item;
    for (size_t i = 0; i < spec.size(); ++i) {
        char c = spec[i];
        bool hasNext = i + 1 < spec.size();
        switch (c) {
        case '(':
            item.enabled = false;
            break;
        case '/':
            if (hasNext)
                item.commandKey = UInt8(spec[++i]);
            break;
        case '!':
            if (hasNext)
                item.mark = UInt8(spec[++i]);
            break;
        case '^':
            if (hasNext)
                item.icon = UInt8(spec[++i] - '0');
            break;
        case '<':
            if (hasNext) {
                switch (spec[++i]) {
                case 'B':
                    item.style |= bold;
                    break;
                case 'I':
                    item.style |= italic;
                    break;
                case 'U':
                    item.style |= underline;
                    break;
                case 'O':
                    item.style |= outline;
                    break;
                case 'S':
                    item.style |= shadow;
                    break;
                default:
                    break;
                }
            }
            break;
        default:
            item.text += c;
        }
    }
    if (item.isDivider())
        item.enabled = false;
    return item;
}

std::vector<MenuItem> parseItems(ConstStr255Param data)
{
    std::vector<MenuItem> items;
    if (!data || data[0] == 0)
        return items;
    std::string text = textOf(data);
    size_t start = 0;
    for (;;) {
        size_t end = text.find_first_of(";\r", start);
        items.push_back(
            parseItem(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return items;
}

MenuRef makeMenu(MenuID id, std::string title)
{
    MenuRef m = new OpaqueMenuRef;
    m->id = id;
    m->title = std::move(title);
    menuBar().live.push_back(m);
    return m;
}

} // namespace

namespace toolbox {

// 'MENU' resource: ID, width, height, definition ID, filler (2 bytes each),
// enable flags (4), title, then per item its text, icon, key, mark and style
// bytes, ending with an empty text.
MenuRef menuFromResource(const UInt8* data, size_t size)
{
    size_t pos = 0;
    auto need = [&](size_t n) { return pos + n <= size; };
    if (!need(14))
        return nullptr;
    MenuID id = MenuID((data[0] << 8) | data[1]);
    UInt32 flags = (UInt32(data[10]) << 24) | (UInt32(data[11]) << 16) | (UInt32(data[12]) << 8) | data[13];
    pos = 14;
    if (!need(1) || !need(1 + size_t(data[pos])))
        return nullptr;
    std::string title(reinterpret_cast<const char*>(data + pos + 1), data[pos]);
    pos += 1 + size_t(data[pos]);
    std::vector<MenuItem> items;
    for (;;) {
        if (!need(1))
            return nullptr;
        size_t length = data[pos];
        if (length == 0)
            break;
        if (!need(1 + length + 4))
            return nullptr;
        MenuItem item;
        item.text.assign(reinterpret_cast<const char*>(data + pos + 1), length);
        pos += 1 + length;
        item.icon = data[pos];
        item.commandKey = data[pos + 1] == 0x1B ? 0 : data[pos + 1];
        item.mark = data[pos + 1] == 0x1B ? 0 : data[pos + 2];
        item.style = data[pos + 3];
        pos += 4;
        size_t n = items.size() + 1;
        item.enabled = n > 31 || (flags & (1u << n)) != 0;
        if (item.isDivider())
            item.enabled = false;
        items.push_back(item);
    }
    MenuRef m = makeMenu(id, title);
    m->enabled = (flags & 1) != 0;
    m->items = std::move(items);
    return m;
}

} // namespace toolbox

MenuRef NewMenu(MenuID menuID, ConstStr255Param menuTitle)
{
    return makeMenu(menuID, textOf(menuTitle));
}

MenuRef GetMenu(short resourceID)
{
#ifdef KORV_HAVE_RESOURCES
    Handle h = GetResource('MENU', resourceID);
    if (!h || !*h)
        return nullptr;
    return toolbox::menuFromResource(reinterpret_cast<const UInt8*>(*h), size_t(GetHandleSize(h)));
#else
    (void)resourceID;
    return nullptr;
#endif
}

void DisposeMenu(MenuRef theMenu)
{
    auto& state = menuBar();
    if (!state.isLive(theMenu))
        return;
    if (state.inBar(theMenu))
        toolbox::invalidateMenuBar();
    std::erase(state.bar, theMenu);
    std::erase(state.popups, theMenu);
    std::erase(state.live, theMenu);
    delete theMenu;
}

MenuID GetMenuID(MenuRef menu)
{
    return menuBar().isLive(menu) ? menu->id : 0;
}

void SetMenuTitle(MenuRef theMenu, ConstStr255Param title)
{
    if (!menuBar().isLive(theMenu))
        return;
    theMenu->title = textOf(title);
    if (menuBar().inBar(theMenu))
        toolbox::invalidateMenuBar();
}

void AppendMenu(MenuRef menu, ConstStr255Param data)
{
    if (!menuBar().isLive(menu))
        return;
    for (auto& item : parseItems(data))
        menu->items.push_back(std::move(item));
}

void InsertMenuItem(MenuRef theMenu, ConstStr255Param itemString, short afterItem)
{
    if (!menuBar().isLive(theMenu))
        return;
    size_t at = size_t(std::clamp<int>(afterItem, 0, int(theMenu->items.size())));
    auto items = parseItems(itemString);
    theMenu->items.insert(theMenu->items.begin() + long(at), items.begin(), items.end());
}

void DeleteMenuItem(MenuRef theMenu, short item)
{
    if (itemOf(theMenu, item))
        theMenu->items.erase(theMenu->items.begin() + (item - 1));
}

void AppendResMenu(MenuRef, ResType)
{
    // There are no desk accessories or fonts to list.
}

UInt16 CountMenuItems(MenuRef theMenu)
{
    return menuBar().isLive(theMenu) ? UInt16(theMenu->items.size()) : 0;
}

void EnableMenuItem(MenuRef theMenu, MenuItemIndex item)
{
    if (item == 0 && menuBar().isLive(theMenu)) {
        theMenu->enabled = true;
        if (menuBar().inBar(theMenu))
            toolbox::invalidateMenuBar();
    } else if (MenuItem* entry = itemOf(theMenu, item)) {
        entry->enabled = !entry->isDivider();
    }
}

void DisableMenuItem(MenuRef theMenu, MenuItemIndex item)
{
    if (item == 0 && menuBar().isLive(theMenu)) {
        theMenu->enabled = false;
        if (menuBar().inBar(theMenu))
            toolbox::invalidateMenuBar();
    } else if (MenuItem* entry = itemOf(theMenu, item)) {
        entry->enabled = false;
    }
}

Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item)
{
    if (item == 0)
        return menuBar().isLive(menu) && menu->enabled;
    MenuItem* entry = itemOf(menu, item);
    return entry && entry->enabled && menu->enabled;
}

void SetMenuItemText(MenuRef theMenu, MenuItemIndex item, ConstStr255Param itemString)
{
    if (MenuItem* entry = itemOf(theMenu, item))
        entry->text = textOf(itemString);
}

void GetMenuItemText(MenuRef theMenu, MenuItemIndex item, Str255 itemString)
{
    if (!itemString)
        return;
    itemString[0] = 0;
    if (MenuItem* entry = itemOf(theMenu, item)) {
        size_t n = std::min<size_t>(entry->text.size(), 255);
        itemString[0] = UInt8(n);
        std::memcpy(itemString + 1, entry->text.data(), n);
    }
}

void CheckMenuItem(MenuRef theMenu, short item, Boolean checked)
{
    if (MenuItem* entry = itemOf(theMenu, item))
        entry->mark = checked ? checkMark : noMark;
}

void SetItemMark(MenuRef theMenu, short item, CharParameter markChar)
{
    if (MenuItem* entry = itemOf(theMenu, item))
        entry->mark = UInt8(markChar);
}

void GetItemMark(MenuRef theMenu, short item, CharParameter* markChar)
{
    if (!markChar)
        return;
    MenuItem* entry = itemOf(theMenu, item);
    *markChar = entry ? entry->mark : 0;
}

void SetItemCmd(MenuRef theMenu, short item, CharParameter cmdChar)
{
    if (MenuItem* entry = itemOf(theMenu, item))
        entry->commandKey = UInt8(cmdChar);
}

void GetItemCmd(MenuRef theMenu, short item, CharParameter* cmdChar)
{
    if (!cmdChar)
        return;
    MenuItem* entry = itemOf(theMenu, item);
    *cmdChar = entry ? entry->commandKey : 0;
}
