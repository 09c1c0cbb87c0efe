// Following the mouse through pulled-down and pop-up menus, and command keys.
// What lies under an open menu is saved and put back when it closes,
// together with QuickDraw's record of the texts drawn there, so the screen
// (and an event script's view of it) is as it was.
#include <Menus.h>

#include "appearance/MenuLook.h"
#include "appearance/Palette.h"
#include "events/EventCenter.h"
#include "menus/MenuBar.h"
#include "quickdraw/Framebuffer.h"
#include "quickdraw/PortInternals.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <utility>

namespace {

using toolbox::EventCenter;
using toolbox::IRect;
using toolbox::menuBar;
using toolbox::MenuLayout;
using toolbox::TitleSlot;

class SavedScreenArea {
public:
    explicit SavedScreenArea(const IRect& area)
        : area_(area.intersect(IRect::from(toolbox::screen().bounds())))
    {
        toolbox::Framebuffer& fb = toolbox::screen();
        for (int y = area_.top; y < area_.bottom; ++y) {
            const uint32_t* row = fb.pixels() + size_t(y) * size_t(fb.stride());
            pixels_.insert(pixels_.end(), row + area_.left, row + area_.right);
        }
        for (GrafPtr port : toolbox::livePorts()) {
            if (port->extras)
                texts_.emplace_back(port, port->extras->texts);
        }
    }

    void restore() const
    {
        toolbox::Framebuffer& fb = toolbox::screen();
        size_t width = size_t(area_.right - area_.left);
        for (int y = area_.top; y < area_.bottom; ++y) {
            std::memcpy(fb.pixels() + size_t(y) * size_t(fb.stride()) + size_t(area_.left),
                pixels_.data() + size_t(y - area_.top) * width, width * sizeof(uint32_t));
        }
        fb.markDirty(area_.toRect());
        const auto& ports = toolbox::livePorts();
        for (const auto& [port, texts] : texts_) {
            if (std::find(ports.begin(), ports.end(), port) != ports.end() && port->extras)
                port->extras->texts = texts;
        }
    }

private:
    IRect area_;
    std::vector<uint32_t> pixels_;
    std::vector<std::pair<GrafPtr, std::vector<toolbox::DrawnText>>> texts_;
};

struct OpenMenu {
    MenuRef menu;
    MenuLayout layout;
    SavedScreenArea saved;
    int highlightedItem = 0;

    OpenMenu(MenuRef m, const MenuLayout& l)
        : menu(m)
        , layout(l)
        , saved(l.covered())
    {
        toolbox::drawMenu(*menu, layout);
    }

    int itemAt(Point p) const
    {
        if (!menu->enabled)
            return 0;
        for (size_t i = 0; i < layout.items.size(); ++i) {
            const IRect& r = layout.items[i];
            if (p.h >= r.left && p.h < r.right && p.v >= r.top && p.v < r.bottom)
                return menu->items[i].enabled ? int(i + 1) : 0;
        }
        return 0;
    }

    void highlight(int item)
    {
        if (item == highlightedItem)
            return;
        if (highlightedItem)
            toolbox::drawMenuItem(*menu, layout, highlightedItem, false);
        if (item)
            toolbox::drawMenuItem(*menu, layout, item, true);
        highlightedItem = item;
    }
};

Point releasePoint()
{
    Point where;
    if (EventCenter::get().queuedMouseUp(where))
        return where;
    return EventCenter::get().mouse();
}

long resultFor(MenuRef menu, int item)
{
    return item ? long((UInt32(UInt16(menu->id)) << 16) | UInt16(item)) : 0;
}

} // namespace

long MenuSelect(Point startPt)
{
    EventCenter& center = EventCenter::get();
    toolbox::WaitLabel waiting("MenuSelect");
    toolbox::flushMenuBar();
    HiliteMenu(0);
    const auto slots = menuBar().titleSlots();
    auto titleAt = [&](Point p) -> const TitleSlot* {
        if (p.v < 0 || p.v >= toolbox::look::kMenuBarHeight)
            return nullptr;
        for (const auto& slot : slots) {
            if (p.h >= slot.bounds.left && p.h < slot.bounds.right)
                return &slot;
        }
        return nullptr;
    };

    std::unique_ptr<OpenMenu> open;
    const TitleSlot* openSlot = nullptr;
    auto close = [&]() {
        if (!open)
            return;
        open->saved.restore();
        toolbox::drawTitle(*openSlot, false);
        menuBar().highlighted = 0;
        open.reset();
        openSlot = nullptr;
    };

    Point p = startPt;
    for (;;) {
        const TitleSlot* slot = titleAt(p);
        if (slot && slot != openSlot) {
            close();
            toolbox::drawTitle(*slot, true);
            menuBar().highlighted = slot->menu->id;
            openSlot = slot;
            open = std::make_unique<OpenMenu>(slot->menu,
                toolbox::layoutMenu(*slot->menu, slot->bounds.left, toolbox::look::kMenuBarHeight - 1));
        }
        if (open)
            open->highlight(open->itemAt(p));
        center.present();
        if (!center.stillDown(false, "MenuSelect"))
            break;
        p = center.mouse();
    }

    long result = 0;
    if (open) {
        result = resultFor(open->menu, open->itemAt(releasePoint()));
        if (result) {
            // The chosen title stays highlighted until HiliteMenu(0).
            MenuID id = open->menu->id;
            open->saved.restore();
            open.reset();
            menuBar().highlighted = id;
        } else {
            close();
        }
    }
    center.present();
    return result;
}

long PopUpMenuSelect(MenuRef menu, short top, short left, short popUpItem)
{
    if (!menuBar().isLive(menu) || menu->items.empty())
        return 0;
    EventCenter& center = EventCenter::get();
    toolbox::WaitLabel waiting("PopUpMenuSelect");
    int item = std::clamp<int>(popUpItem, 1, int(menu->items.size()));
    MenuLayout layout = toolbox::layoutMenu(*menu, left - 1, top - toolbox::menuItemOffset(*menu, item));
    OpenMenu open(menu, layout);
    for (;;) {
        open.highlight(open.itemAt(center.mouse()));
        center.present();
        if (!center.stillDown(false, "PopUpMenuSelect"))
            break;
    }
    long result = resultFor(menu, open.itemAt(releasePoint()));
    open.saved.restore();
    center.present();
    return result;
}

long MenuKey(CharParameter ch)
{
    int wanted = std::toupper(ch & 0xFF);
    for (MenuRef m : menuBar().bar) {
        if (!m->enabled)
            continue;
        for (size_t i = 0; i < m->items.size(); ++i) {
            const auto& item = m->items[i];
            if (item.enabled && item.commandKey && std::toupper(item.commandKey) == wanted) {
                HiliteMenu(m->id);
                return resultFor(m, int(i + 1));
            }
        }
    }
    return 0;
}
