#include "framework/PWindow.h"

#include <Fonts.h>
#include <Quickdraw.h>

#include <algorithm>
#include <vector>

namespace {

// The windows the framework made, so a reference constant is only taken for
// a PWindow when it is one.
std::vector<PWindow*>& liveWindows()
{
    static std::vector<PWindow*> windows;
    return windows;
}

} // namespace

PWindow::PWindow(
    short x1, short y1, short x2, short y2, short procID, const unsigned char* title, char goAway)
{
    Rect bounds;
    bounds.top = y1;
    bounds.left = x1;
    bounds.bottom = y2;
    bounds.right = x2;
    myWindow = NewCWindow(nullptr, &bounds, title, true, procID, reinterpret_cast<WindowRef>(-1), goAway,
        reinterpret_cast<long>(this));
    liveWindows().push_back(this);
    setPort();
    select();
    TextFont(kFontIDGeneva);
    TextSize(9);
}

PWindow::~PWindow()
{
    std::erase(liveWindows(), this);
    DisposeWindow(myWindow);
}

void PWindow::handleMouseDown(const EventRecord*)
{
}

void PWindow::handleKeyDown(char)
{
}

void PWindow::handleClose()
{
}

void PWindow::handleZoom()
{
}

void PWindow::handleGrow(short, short)
{
}

void PWindow::draw()
{
}

void PWindow::_handleMouseDown(const EventRecord* theEvent, short clickType)
{
    setPort();
    select();
    switch (clickType) {
    case inDrag: {
        Rect limit;
        GetRegionBounds(GetGrayRgn(), &limit);
        DragWindow(myWindow, theEvent->where, &limit);
        break;
    }
    case inContent:
        handleMouseDown(theEvent);
        break;
    case inGoAway:
        if (TrackGoAway(myWindow, theEvent->where))
            handleClose();
        break;
    case inGrow:
    default:
        break;
    }
}

void PWindow::setBounds(short, short, short, short)
{
}

void PWindow::setPort()
{
    SetPortWindowPort(myWindow);
}

void PWindow::select()
{
    SelectWindow(myWindow);
}

void PWindow::portRect(Rect* r)
{
    GetWindowPortBounds(myWindow, r);
}

void PWindow::invalRect(Rect* r)
{
    InvalWindowRect(myWindow, r);
}

void PWindow::flushPortBuffer()
{
    QDFlushPortBuffer(GetWindowPort(myWindow), nullptr);
}

PWindow* PWindow::fromWindow(WindowRef window)
{
    if (!window)
        return nullptr;
    auto* candidate = reinterpret_cast<PWindow*>(GetWRefCon(window));
    auto& windows = liveWindows();
    return std::find(windows.begin(), windows.end(), candidate) != windows.end() ? candidate : nullptr;
}

PDocWindow::PDocWindow(
    short x1, short y1, short x2, short y2, const unsigned char* title, char hasGoAway, char)
    : PWindow(x1, y1, x2, y2, noGrowDocProc, title, hasGoAway)
{
}
