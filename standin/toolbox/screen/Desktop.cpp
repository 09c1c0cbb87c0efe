#include "screen/Desktop.h"

#include "appearance/Palette.h"
#include "appearance/ScreenPainter.h"
#include "appearance/WindowFrames.h"
#include "menus/MenuBar.h"
#include "quickdraw/Ports.h"
#include "windows/WindowRecord.h"

#include <algorithm>

namespace toolbox {

namespace {

uint32_t pixelOfColor(const RGBColor& c)
{
    return (uint32_t(c.red >> 8) << 16) | (uint32_t(c.green >> 8) << 8) | uint32_t(c.blue >> 8);
}

} // namespace

void Desktop::ensureDrawn()
{
    if (drawn_)
        return;
    drawn_ = true;
    paintDesktop(grayRegion());
    invalidateMenuBar();
}

Region Desktop::grayRegion()
{
    return Region(IRect {0, look::kMenuBarHeight, look::kScreenWidth, look::kScreenHeight});
}

RgnHandle Desktop::grayRgnHandle()
{
    if (!grayRgn_)
        grayRgn_ = NewRgn();
    regionOf(grayRgn_) = grayRegion();
    return grayRgn_;
}

bool Desktop::contains(WindowRef w) const
{
    return std::find(order_.begin(), order_.end(), w) != order_.end();
}

void Desktop::insert(WindowRef w, WindowRef behind)
{
    if (behind == reinterpret_cast<WindowRef>(-1)) {
        order_.insert(order_.begin(), w);
        return;
    }
    auto it = std::find(order_.begin(), order_.end(), behind);
    if (behind == nullptr || it == order_.end())
        order_.push_back(w);
    else
        order_.insert(it + 1, w);
}

void Desktop::remove(WindowRef w)
{
    std::erase(order_, w);
}

void Desktop::bringToFront(WindowRef w)
{
    remove(w);
    order_.insert(order_.begin(), w);
}

WindowRef Desktop::frontVisible() const
{
    for (WindowRef w : order_) {
        if (w->visible)
            return w;
    }
    return nullptr;
}

Region Desktop::visibleStructure(WindowRef target) const
{
    if (!target->visible)
        return Region();
    Region covered;
    for (WindowRef w : order_) {
        if (!w->visible)
            continue;
        Region structure = structureRegion(*w).intersect(grayRegion());
        if (w == target)
            return structure.subtract(covered);
        covered = covered.unite(structure);
    }
    return Region();
}

void Desktop::recomposite(const Region& exposed, WindowRef noInvalidate)
{
    ensureDrawn();
    Region covered;
    const Region gray = grayRegion();
    for (WindowRef w : order_) {
        if (!w->visible) {
            RgnHandle none = NewRgn();
            setVisibleRegion(&w->port, none);
            DisposeRgn(none);
            continue;
        }
        Region structure = structureRegion(*w).intersect(gray);
        Region visible = structure.subtract(covered);
        Region content(w->content);
        RgnHandle contentVisible = NewRgn();
        regionOf(contentVisible) = visible.intersect(content);
        setVisibleRegion(&w->port, contentVisible);
        DisposeRgn(contentVisible);

        Region here = exposed.intersect(visible);
        if (!here.empty()) {
            drawWindowFrame(*w, here);
            Region contentPart = here.intersect(content);
            if (!contentPart.empty()) {
                eraseContent(w, contentPart);
                if (w != noInvalidate)
                    w->updateRgn = w->updateRgn.unite(contentPart);
            }
        }
        covered = covered.unite(structure);
    }
    Region desktopPart = exposed.intersect(gray).subtract(covered);
    if (!desktopPart.empty())
        paintDesktop(desktopPart);
}

void Desktop::updateHighlight()
{
    WindowRef front = frontVisible();
    for (WindowRef w : order_) {
        bool want = w == front;
        if (w->hilited != want) {
            w->hilited = want;
            redrawFrame(w);
        }
    }
}

void Desktop::redrawFrame(WindowRef w)
{
    Region visible = visibleStructure(w);
    if (!visible.empty())
        drawWindowFrame(*w, visible);
}

void Desktop::paintDesktop(const Region& area)
{
    ScreenPainter p(area);
    p.fill(area.bounds(), look::kDesktop);
}

void Desktop::eraseContent(WindowRef w, const Region& area)
{
    ScreenPainter p(area);
    p.fill(area.bounds(), pixelOfColor(w->port.rgbBkColor));
}

Desktop& desktop()
{
    static Desktop theDesktop;
    return theDesktop;
}

} // namespace toolbox
