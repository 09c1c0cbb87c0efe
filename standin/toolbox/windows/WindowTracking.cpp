// Finding what lies under a point, and following the mouse in the frame:
// dragging a window by its title bar, pressing the close and zoom boxes.
#include <MacWindows.h>

#include "appearance/ScreenPainter.h"
#include "appearance/WindowFrames.h"
#include "events/EventCenter.h"
#include "screen/Desktop.h"
#include "windows/WindowList.h"
#include "windows/WindowRecord.h"

#include "appearance/Palette.h"

#include <algorithm>

using toolbox::desktop;
using toolbox::EventCenter;
using toolbox::FrameParts;
using toolbox::IRect;
using toolbox::Region;

namespace {

bool inside(const IRect& r, Point p)
{
    return p.h >= r.left && p.h < r.right && p.v >= r.top && p.v < r.bottom;
}

// Where the button went up: the queued mouse-up, or the mouse now.
Point releasePoint()
{
    Point where;
    if (EventCenter::get().queuedMouseUp(where))
        return where;
    return EventCenter::get().mouse();
}

// Follows the mouse over a box of the frame, drawn pressed while the mouse is in it.
template<typename Draw> bool trackBox(const IRect& box, Point start, const char* label, Draw draw)
{
    toolbox::WaitLabel waiting(label);
    EventCenter& center = EventCenter::get();
    bool in = inside(box, start);
    draw(in);
    center.present();
    while (center.stillDown(false, label)) {
        bool now = inside(box, center.mouse());
        if (now != in) {
            in = now;
            draw(in);
            center.present();
        }
    }
    in = inside(box, releasePoint());
    draw(false);
    center.present();
    return in;
}

} // namespace

WindowPartCode FindWindow(Point thePoint, WindowRef* window)
{
    EventCenter::get();
    if (window)
        *window = nullptr;
    if (thePoint.h < 0 || thePoint.v < 0 || thePoint.h >= toolbox::look::kScreenWidth
        || thePoint.v >= toolbox::look::kScreenHeight)
        return inDesk;
    if (thePoint.v < toolbox::look::kMenuBarHeight)
        return inMenuBar;
    for (WindowRef w : desktop().frontToBack()) {
        if (!w->visible || !toolbox::structureRegion(*w).contains(thePoint.h, thePoint.v))
            continue;
        if (window)
            *window = w;
        FrameParts parts = toolbox::frameParts(*w);
        if (w->hilited && inside(parts.closeBox, thePoint))
            return inGoAway;
        if (w->hilited && inside(parts.zoomBox, thePoint))
            return inZoomIn;
        if (w->hilited && inside(parts.growBox, thePoint))
            return inGrow;
        if (inside(w->content, thePoint))
            return inContent;
        return parts.movable ? inDrag : inContent;
    }
    return inDesk;
}

void DragWindow(WindowRef window, Point startPt, const Rect* boundsRect)
{
    if (!toolbox::isLiveWindow(window))
        return;
    toolbox::WaitLabel waiting("DragWindow");
    EventCenter& center = EventCenter::get();
    IRect limit = boundsRect ? IRect::from(*boundsRect) : toolbox::Desktop::grayRegion().bounds();
    auto pin = [&](Point p) {
        p.h = SInt16(std::clamp<int>(p.h, limit.left, std::max(limit.left, limit.right - 1)));
        p.v = SInt16(std::clamp<int>(p.v, limit.top, std::max(limit.top, limit.bottom - 1)));
        return p;
    };
    const IRect outline = toolbox::frameParts(*window).outline;
    Region screenArea = toolbox::Desktop::grayRegion();
    Point last = pin(startPt);
    auto outlineAt = [&](Point p) { return outline.offset(p.h - startPt.h, p.v - startPt.v); };
    bool shown = false;
    auto toggle = [&](Point p) {
        toolbox::ScreenPainter painter(screenArea);
        painter.xorOutline(outlineAt(p));
    };
    while (center.stillDown(false, "DragWindow")) {
        Point now = pin(center.mouse());
        if (shown && now.h == last.h && now.v == last.v)
            continue;
        if (shown)
            toggle(last);
        toggle(now);
        shown = true;
        last = now;
        center.present();
    }
    if (shown)
        toggle(last);
    Point end = pin(releasePoint());
    int dx = end.h - startPt.h, dy = end.v - startPt.v;
    if (dx != 0 || dy != 0)
        MoveWindow(window, short(window->content.left + dx), short(window->content.top + dy), false);
    center.present();
}

Boolean TrackGoAway(WindowRef window, Point thePt)
{
    if (!toolbox::isLiveWindow(window))
        return false;
    FrameParts parts = toolbox::frameParts(*window);
    if (parts.closeBox.empty())
        return false;
    Region clip = desktop().visibleStructure(window);
    return trackBox(parts.closeBox, thePt, "TrackGoAway",
        [&](bool pressed) { toolbox::drawCloseBox(*window, pressed, clip); });
}

Boolean TrackBox(WindowRef window, Point thePt, WindowPartCode partCode)
{
    if (!toolbox::isLiveWindow(window) || (partCode != inZoomIn && partCode != inZoomOut))
        return false;
    FrameParts parts = toolbox::frameParts(*window);
    if (parts.zoomBox.empty())
        return false;
    Region clip = desktop().visibleStructure(window);
    return trackBox(parts.zoomBox, thePt, "TrackBox",
        [&](bool pressed) { toolbox::drawZoomBox(*window, pressed, clip); });
}
