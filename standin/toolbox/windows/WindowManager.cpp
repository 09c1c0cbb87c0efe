// Creating, disposing, showing, hiding, ordering, moving and sizing windows.
#include <Controls.h>
#include <MacWindows.h>

#include "events/EventCenter.h"
#include "quickdraw/PortInternals.h"
#include "quickdraw/Ports.h"
#include "screen/Desktop.h"
#include "windows/WindowList.h"
#include "windows/WindowRecord.h"

#include "appearance/WindowFrames.h"
#include "quickdraw/Framebuffer.h"

#include <cstring>
#include <vector>

using toolbox::desktop;
using toolbox::IRect;
using toolbox::Region;

namespace toolbox {

bool isLiveWindow(WindowRef w)
{
    return w && desktop().contains(w);
}

} // namespace toolbox

namespace {

void afterOrderChange(const Region& exposed)
{
    desktop().recomposite(exposed);
    desktop().updateHighlight();
}

// Copies the pixels of `area` (destination, global) from `area` moved back by (dx, dy).
void copyScreenPixels(const Region& area, int dx, int dy)
{
    if (area.empty())
        return;
    toolbox::Framebuffer& fb = toolbox::screen();
    std::vector<uint32_t> before(fb.pixels(), fb.pixels() + size_t(fb.stride()) * size_t(fb.height()));
    for (const IRect& r : area.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            const uint32_t* src = before.data() + size_t(y - dy) * size_t(fb.stride()) + size_t(r.left - dx);
            std::memcpy(fb.pixels() + size_t(y) * size_t(fb.stride()) + size_t(r.left), src,
                size_t(r.right - r.left) * sizeof(uint32_t));
        }
        fb.markDirty(r.toRect());
    }
}

} // namespace

WindowRef NewCWindow(void* wStorage, const Rect* boundsRect, ConstStr255Param title, Boolean visible,
    short procID, WindowRef behind, Boolean goAwayFlag, long refCon)
{
    if (wStorage || !boundsRect)
        return nullptr;
    toolbox::EventCenter::get();
    GrafPtr previous;
    GetPort(&previous);
    WindowRef w = new OpaqueWindowPtr;
    toolbox::initPort(&w->port, *boundsRect);
    SetPort(previous);
    w->procID = procID;
    w->kind = userKind;
    w->goAway = goAwayFlag != 0;
    w->refCon = refCon;
    w->content = IRect::from(*boundsRect);
    if (title)
        std::memcpy(w->title, title, size_t(title[0]) + 1);
    desktop().insert(w, behind);
    if (visible) {
        w->visible = true;
        afterOrderChange(desktop().visibleStructure(w));
    } else {
        desktop().recomposite(Region());
    }
    return w;
}

void DisposeWindow(WindowRef window)
{
    if (!toolbox::isLiveWindow(window))
        return;
    KillControls(window); // as on a Mac, the window's controls go with it
    Region uncovered = desktop().visibleStructure(window);
    desktop().remove(window);
    GrafPtr current;
    GetPort(&current);
    if (current == &window->port)
        SetPort(toolbox::screenPort());
    toolbox::closePort(&window->port);
    delete window;
    afterOrderChange(uncovered);
}

void ShowWindow(WindowRef window)
{
    if (!toolbox::isLiveWindow(window) || window->visible)
        return;
    window->visible = true;
    afterOrderChange(desktop().visibleStructure(window));
}

void HideWindow(WindowRef window)
{
    if (!toolbox::isLiveWindow(window) || !window->visible)
        return;
    Region uncovered = desktop().visibleStructure(window);
    window->visible = false;
    window->hilited = false;
    afterOrderChange(uncovered);
}

Boolean IsWindowVisible(WindowRef window)
{
    return toolbox::isLiveWindow(window) && window->visible;
}

void BringToFront(WindowRef window)
{
    if (!toolbox::isLiveWindow(window))
        return;
    Region before = desktop().visibleStructure(window);
    desktop().bringToFront(window);
    Region after = desktop().visibleStructure(window);
    afterOrderChange(after.subtract(before));
}

void SelectWindow(WindowRef window)
{
    BringToFront(window);
}

WindowRef FrontWindow()
{
    toolbox::EventCenter::get();
    return desktop().frontVisible();
}

WindowRef FrontNonFloatingWindow()
{
    return FrontWindow();
}

WindowRef GetNextWindow(WindowRef window)
{
    const auto& order = desktop().frontToBack();
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        if (order[i] == window)
            return order[i + 1];
    }
    return nullptr;
}

void MoveWindow(WindowRef window, short hGlobal, short vGlobal, Boolean front)
{
    if (!toolbox::isLiveWindow(window))
        return;
    if (front)
        BringToFront(window);
    int dx = hGlobal - window->content.left, dy = vGlobal - window->content.top;
    if (dx == 0 && dy == 0)
        return;
    Region oldVisible = desktop().visibleStructure(window);
    Region oldContentVisible = oldVisible.intersect(Region(window->content));
    // What is waiting for an update is not worth copying.
    oldContentVisible = oldContentVisible.subtract(window->updateRgn);

    window->content = window->content.offset(dx, dy);
    toolbox::movePort(&window->port, hGlobal, vGlobal);
    window->updateRgn.offset(dx, dy);
    for (auto& t : window->port.extras->texts)
        OffsetRect(&t.bounds, short(dx), short(dy));

    Region newVisible = desktop().visibleStructure(window);
    Region kept = oldContentVisible;
    kept.offset(dx, dy);
    kept = kept.intersect(newVisible).intersect(Region(window->content));
    copyScreenPixels(kept, dx, dy);
    desktop().recomposite(oldVisible.unite(newVisible).subtract(kept));
}

void SizeWindow(WindowRef window, short w, short h, Boolean fUpdate)
{
    if (!toolbox::isLiveWindow(window) || w < 0 || h < 0)
        return;
    Region oldVisible = desktop().visibleStructure(window);
    Region oldContentVisible = oldVisible.intersect(Region(window->content));
    window->content.right = window->content.left + w;
    window->content.bottom = window->content.top + h;
    toolbox::resizePort(&window->port, w, h);
    window->updateRgn = window->updateRgn.intersect(Region(window->content));
    Region newVisible = desktop().visibleStructure(window);
    // Content that stays where it was keeps its pixels; the frame moved.
    Region kept = oldContentVisible.intersect(newVisible).intersect(Region(window->content));
    desktop().recomposite(oldVisible.unite(newVisible).subtract(kept), fUpdate ? nullptr : window);
}

void SetWTitle(WindowRef window, ConstStr255Param title)
{
    if (!toolbox::isLiveWindow(window))
        return;
    window->title[0] = 0;
    if (title)
        std::memcpy(window->title, title, size_t(title[0]) + 1);
    desktop().redrawFrame(window);
}

void GetWTitle(WindowRef window, Str255 title)
{
    if (!title)
        return;
    if (!toolbox::isLiveWindow(window)) {
        title[0] = 0;
        return;
    }
    std::memcpy(title, window->title, size_t(window->title[0]) + 1);
}

RgnHandle GetGrayRgn()
{
    toolbox::EventCenter::get();
    return desktop().grayRgnHandle();
}
