#include "appearance/MenuLook.h"

#include "appearance/Palette.h"
#include "appearance/ScreenPainter.h"
#include "menus/MenuRecord.h"

#include <algorithm>

namespace toolbox {

namespace {

// The command sign, check mark and the Apple menu's title (our own processor
// chip) are characters of the system font: 0x11, 0x12 and 0x14.
constexpr unsigned char kCommandSign[2] = {1, 0x11};

constexpr int kItemTextLeft = 15;
constexpr int kCommandColumn = 30;

struct PString {
    unsigned char bytes[256];
    explicit PString(const std::string& s)
    {
        size_t n = std::min<size_t>(s.size(), 255);
        bytes[0] = UInt8(n);
        std::copy_n(s.begin(), n, bytes + 1);
    }
};

int baselineIn(int top, int height, const OpaqueMenuRef* menu = nullptr)
{
    FontInfo info = menu ? ScreenPainter::fontInfo(menu->font, menu->size) : ScreenPainter::fontInfo();
    return top + (height - (info.ascent + info.descent)) / 2 + info.ascent;
}

bool anyCommandKey(const OpaqueMenuRef& menu)
{
    return std::any_of(
        menu.items.begin(), menu.items.end(), [](const MenuItem& i) { return i.commandKey != 0; });
}

int itemHeight(const MenuItem& item)
{
    return item.isDivider() ? kMenuDividerHeight : kMenuItemHeight;
}

} // namespace

bool isAppleMenuTitle(const std::string& title)
{
    return title == "\x14";
}

int menuTitleWidth(const std::string& title)
{
    return ScreenPainter::textWidth(PString(title).bytes);
}

void drawMenuBarBackground()
{
    IRect bar {0, 0, look::kScreenWidth, look::kMenuBarHeight};
    ScreenPainter p((Region(bar)));
    p.fill(IRect {0, 0, look::kScreenWidth, look::kMenuBarHeight - 1}, look::kWhite);
    p.hline(0, look::kScreenWidth, look::kMenuBarHeight - 1, look::kBlack);
}

void drawMenuTitleLook(const TitleSlot& slot, bool highlighted)
{
    ScreenPainter p((Region(slot.bounds)));
    p.fill(slot.bounds, highlighted ? look::kBlack : look::kWhite);
    uint32_t ink = highlighted ? look::kWhite : (slot.menu->enabled ? look::kBlack : look::kDisabledText);
    int baseline = baselineIn(slot.bounds.top, slot.bounds.bottom - slot.bounds.top);
    p.text(slot.textLeft, baseline, PString(slot.menu->title).bytes, ink);
}

int menuItemOffset(const OpaqueMenuRef& menu, int item)
{
    int offset = 1;
    for (int i = 1; i < item && i <= int(menu.items.size()); ++i)
        offset += itemHeight(menu.items[size_t(i - 1)]);
    return offset;
}

MenuLayout layoutMenu(const OpaqueMenuRef& menu, int left, int top)
{
    int widest = 0;
    for (const auto& item : menu.items) {
        if (!item.isDivider())
            widest
                = std::max(widest, ScreenPainter::textWidth(PString(item.text).bytes, menu.font, menu.size));
    }
    int width = 1 + kItemTextLeft + widest + 12 + (anyCommandKey(menu) ? kCommandColumn : 0) + 1;
    width = std::max({width, 60, menu.minimumWidth});
    int height = menuItemOffset(menu, int(menu.items.size()) + 1) + 1;
    if (menu.items.empty())
        height = 2 + kMenuItemHeight / 2;

    // Keep the box (and its shadow) on the screen.
    left = std::clamp(left, 0, std::max(0, look::kScreenWidth - 1 - width));
    top = std::clamp(top, 0, std::max(0, look::kScreenHeight - 1 - height));
    MenuLayout layout;
    layout.box = IRect {left, top, left + width, top + height};
    int y = top + 1;
    for (const auto& item : menu.items) {
        int h = itemHeight(item);
        layout.items.push_back(IRect {left + 1, y, left + width - 1, y + h});
        y += h;
    }
    return layout;
}

void drawMenu(const OpaqueMenuRef& menu, const MenuLayout& layout)
{
    {
        ScreenPainter p((Region(layout.covered())));
        p.fill(layout.box, look::kWhite);
        p.frame(layout.box, look::kBlack);
        p.vline(layout.box.right, layout.box.top + 2, layout.box.bottom + 1, look::kBlack);
        p.hline(layout.box.left + 2, layout.box.right + 1, layout.box.bottom, look::kBlack);
    }
    for (size_t i = 0; i < menu.items.size(); ++i)
        drawMenuItem(menu, layout, int(i + 1), false);
}

void drawMenuItem(const OpaqueMenuRef& menu, const MenuLayout& layout, int item, bool highlighted)
{
    if (item < 1 || item > int(layout.items.size()))
        return;
    const MenuItem& entry = menu.items[size_t(item - 1)];
    const IRect& r = layout.items[size_t(item - 1)];
    ScreenPainter p((Region(r)));
    p.fill(r, highlighted ? look::kBlack : look::kWhite);
    if (entry.isDivider()) {
        p.hline(r.left, r.right, r.top + kMenuDividerHeight / 2 - 1, look::kDivider);
        return;
    }
    bool enabled = entry.enabled && menu.enabled;
    uint32_t ink = highlighted ? look::kWhite : (enabled ? look::kBlack : look::kDisabledText);
    int baseline = baselineIn(r.top, r.bottom - r.top, &menu);
    if (entry.mark != 0) {
        unsigned char mark[2] = {1, entry.mark};
        p.text(r.left + 3, baseline, mark, ink, menu.font, menu.size);
    }
    p.text(r.left + kItemTextLeft, baseline, PString(entry.text).bytes, ink, menu.font, menu.size);
    if (entry.commandKey) {
        int signLeft = r.right - kCommandColumn + 2;
        const int signWidth = p.text(signLeft, baseline, kCommandSign, ink);
        unsigned char key[2] = {1, entry.commandKey};
        p.text(signLeft + signWidth + 2, baseline, key, ink, menu.font, menu.size);
    }
}

} // namespace toolbox
