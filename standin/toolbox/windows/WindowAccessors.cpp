// A window's port, bounds, reference constant and kind; and the titles an
// event script may click.
#include <MacWindows.h>

#include "appearance/WindowFrames.h"
#include "quickdraw/DrawnTexts.h"
#include "screen/Desktop.h"
#include "windows/WindowList.h"
#include "windows/WindowRecord.h"

#include <fstream>

using toolbox::desktop;
using toolbox::IRect;

void SetPortWindowPort(WindowRef window)
{
    if (toolbox::isLiveWindow(window))
        SetPort(&window->port);
}

CGrafPtr GetWindowPort(WindowRef window)
{
    return toolbox::isLiveWindow(window) ? &window->port : nullptr;
}

WindowRef GetWindowFromPort(CGrafPtr port)
{
    for (WindowRef w : desktop().frontToBack()) {
        if (&w->port == port)
            return w;
    }
    return nullptr;
}

Rect* GetWindowPortBounds(WindowRef window, Rect* bounds)
{
    if (bounds && toolbox::isLiveWindow(window))
        GetPortBounds(&window->port, bounds);
    return bounds;
}

OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* globalBounds)
{
    if (!toolbox::isLiveWindow(window) || !globalBounds)
        return errWindowRegionCodeInvalid;
    toolbox::FrameParts parts = toolbox::frameParts(*window);
    switch (regionCode) {
    case kWindowStructureRgn:
        *globalBounds = toolbox::structureRegion(*window).bounds().toRect();
        return noErr;
    case kWindowContentRgn:
        *globalBounds = window->content.toRect();
        return noErr;
    case kWindowTitleBarRgn:
        *globalBounds = parts.titleBar.toRect();
        return noErr;
    case kWindowCloseBoxRgn:
        *globalBounds = parts.closeBox.toRect();
        return noErr;
    case kWindowZoomBoxRgn:
        *globalBounds = parts.zoomBox.toRect();
        return noErr;
    case kWindowGrowRgn:
        *globalBounds = parts.growBox.toRect();
        return noErr;
    case kWindowUpdateRgn:
        *globalBounds = window->updateRgn.bounds().toRect();
        return noErr;
    default:
        return errWindowRegionCodeInvalid;
    }
}

void SetWRefCon(WindowRef window, long data)
{
    if (toolbox::isLiveWindow(window))
        window->refCon = data;
}

long GetWRefCon(WindowRef window)
{
    return toolbox::isLiveWindow(window) ? window->refCon : 0;
}

short GetWindowKind(WindowRef window)
{
    return toolbox::isLiveWindow(window) ? window->kind : 0;
}

Boolean IsWindowHilited(WindowRef window)
{
    return toolbox::isLiveWindow(window) && window->hilited;
}

namespace toolbox {

bool locateDrawnTitle(const std::string& title, Point& where, std::string& error)
{
    WindowRef front = desktop().frontVisible();
    if (!front) {
        error = "click-title \"" + title + "\": no window is open";
        return false;
    }
    auto texts = drawnTexts(&front->port);
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
        const Rect& r = it->bounds;
        if (it->text == title && r.right > r.left && r.bottom > r.top) {
            where.h = SInt16((r.left + r.right) / 2);
            where.v = SInt16((r.top + r.bottom) / 2);
            return true;
        }
    }
    error = "click-title \"" + title + "\": no such title shows in the front window";
    return false;
}

bool writeLayout(const std::string& path, std::string& error)
{
    std::ofstream out(path);
    auto rect = [](const Rect& r) {
        return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " "
            + std::to_string(r.bottom);
    };
    for (WindowRef w : desktop().frontToBack()) {
        if (!w->visible)
            continue;
        out << "window " << rect(w->content.toRect()) << " \""
            << std::string(reinterpret_cast<const char*>(w->title + 1), w->title[0]) << "\"\n";
        // Everything is recorded as clipped to the window, so what reaches
        // beyond its present content was drawn before it shrank, and is gone.
        auto shows = [&](const DrawnText& t) { return w->content.contains(IRect::from(t.bounds)); };
        for (const DrawnText& t : drawnTexts(&w->port))
            if (shows(t))
                out << "text " << rect(t.bounds) << " \"" << t.text << "\"\n";
        for (const DrawnText& c : drawnControls(&w->port))
            if (shows(c))
                out << "control " << c.control << " " << rect(c.bounds) << " \"" << c.text << "\"\n";
    }
    out.close();
    if (!out) {
        error = "cannot write the layout " + path;
        return false;
    }
    return true;
}

} // namespace toolbox
