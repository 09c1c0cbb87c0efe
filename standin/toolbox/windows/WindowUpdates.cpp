// Update regions: invalidating and validating parts of a window, the update
// events the event queue makes up from them, and the update itself.
#include <MacWindows.h>

#include "events/EventCenter.h"
#include "quickdraw/Ports.h"
#include "screen/Desktop.h"
#include "windows/WindowList.h"
#include "windows/WindowRecord.h"

using toolbox::desktop;
using toolbox::IRect;
using toolbox::Region;

namespace {

constexpr OSStatus kParamErr = -50;

// A local rectangle of the window's port, in global coordinates.
IRect globalRect(WindowRef w, const Rect& local)
{
    Point topLeft = toolbox::portToGlobal(&w->port, Point {local.top, local.left});
    return IRect {
        topLeft.h, topLeft.v, topLeft.h + (local.right - local.left), topLeft.v + (local.bottom - local.top)};
}

Region globalRegion(WindowRef w, RgnHandle local)
{
    Region r = toolbox::regionOf(local);
    Point origin = toolbox::portToGlobal(&w->port, Point {0, 0});
    r.offset(origin.h, origin.v);
    return r;
}

} // namespace

namespace toolbox {

bool nextUpdateEvent(EventRecord& out)
{
    for (WindowRef w : desktop().frontToBack()) {
        if (w->visible && !w->updateRgn.empty()) {
            out = EventRecord {};
            out.what = updateEvt;
            out.message = reinterpret_cast<unsigned long>(w);
            return true;
        }
    }
    return false;
}

} // namespace toolbox

OSStatus InvalWindowRect(WindowRef window, const Rect* bounds)
{
    if (!toolbox::isLiveWindow(window) || !bounds)
        return kParamErr;
    Region added = Region(globalRect(window, *bounds)).intersect(Region(window->content));
    window->updateRgn = window->updateRgn.unite(added);
    return noErr;
}

OSStatus InvalWindowRgn(WindowRef window, RgnHandle region)
{
    if (!toolbox::isLiveWindow(window) || !region)
        return kParamErr;
    Region added = globalRegion(window, region).intersect(Region(window->content));
    window->updateRgn = window->updateRgn.unite(added);
    return noErr;
}

OSStatus ValidWindowRect(WindowRef window, const Rect* bounds)
{
    if (!toolbox::isLiveWindow(window) || !bounds)
        return kParamErr;
    window->updateRgn = window->updateRgn.subtract(Region(globalRect(window, *bounds)));
    return noErr;
}

OSStatus ValidWindowRgn(WindowRef window, RgnHandle region)
{
    if (!toolbox::isLiveWindow(window) || !region)
        return kParamErr;
    window->updateRgn = window->updateRgn.subtract(globalRegion(window, region));
    return noErr;
}

void BeginUpdate(WindowRef window)
{
    if (!toolbox::isLiveWindow(window))
        return;
    RgnHandle clip = NewRgn();
    toolbox::regionOf(clip) = window->updateRgn;
    toolbox::setUpdateClip(&window->port, clip);
    DisposeRgn(clip);
    window->updateRgn = Region();
}

void EndUpdate(WindowRef window)
{
    if (!toolbox::isLiveWindow(window))
        return;
    toolbox::setUpdateClip(&window->port, nullptr);
}
