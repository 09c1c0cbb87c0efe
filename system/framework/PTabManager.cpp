#include <framework/PTabManager.h>

#include <framework/PPortStateSaver.h>
#include <framework/PTabPane.h>
#include <framework/PWindow.h>

#include <MacWindows.h>

namespace {

constexpr short kPaneTop = 26;
constexpr short kPaneInset = 3;
constexpr long kWindowChrome = 32; // tab row and margins around the bands
constexpr unsigned long kFirstTabLeft = 3;

const RGBColor kMarginBackground = {0xDDDD, 0xDDDD, 0xDDDD};
const RGBColor kPaneBackground = {0xEEEE, 0xEEEE, 0xEEEE};

// The window whose port is current: the PWindow has just made it so.
WindowRef currentWindow()
{
    GrafPtr port;
    GetPort(&port);
    return GetWindowFromPort(port);
}

} // namespace

PTabManager::PTabManager(PWindow* w)
    : myWindow(w)
    , paneList(nullptr)
    , farRight(0)
    , paneRect {0, 0, 0, 0}
{
    computePaneRect();
}

PTabManager::~PTabManager()
{
    while (paneList) {
        PTabPane* doomed = paneList;
        paneList = paneList->next;
        delete doomed;
    }
}

void PTabManager::computePaneRect()
{
    Rect port;
    myWindow->portRect(&port);
    paneRect.top = static_cast<short>(port.top + kPaneTop);
    paneRect.left = static_cast<short>(port.left + kPaneInset);
    paneRect.bottom = static_cast<short>(port.bottom - kPaneInset);
    paneRect.right = static_cast<short>(port.right - kPaneInset);
}

void PTabManager::sizeWindow(long height)
{
    myWindow->setPort();
    Rect port;
    myWindow->portRect(&port);
    SizeWindow(currentWindow(), static_cast<short>(port.right - port.left),
        static_cast<short>(height + kWindowChrome), true);
    computePaneRect();
    myWindow->portRect(&port);
    Rect bottomStrip = {static_cast<short>(port.bottom - 3), port.left, port.bottom, port.right};
    myWindow->invalRect(&bottomStrip);
}

void PTabManager::resizeWindow(long delta)
{
    Rect port;
    myWindow->portRect(&port);
    sizeWindow(port.bottom - port.top + delta - kWindowChrome);
}

void PTabManager::_addTabPane(PTabPane* tab)
{
    tab->next = nullptr;
    if (paneList == nullptr) {
        paneList = tab;
        tab->_setLeft(kFirstTabLeft);
        tab->active = true;
    } else {
        PTabPane* last = paneList;
        while (last->next)
            last = last->next;
        last->next = tab;
        tab->_setLeft(static_cast<unsigned long>(last->titleRect.right));
    }
    farRight = static_cast<unsigned long>(tab->titleRect.right);
}

void PTabManager::activateOnly(PTabPane* chosen)
{
    for (PTabPane* tab = paneList; tab; tab = tab->next)
        tab->_deactivate();
    if (chosen)
        chosen->_activate();
    _drawPaneBorder();
}

void PTabManager::selectPane(long index)
{
    PTabPane* chosen = paneList;
    for (long i = 0; chosen && i < index; ++i)
        chosen = chosen->next;
    activateOnly(index < 0 ? nullptr : chosen);
}

void PTabManager::_drawPaneBorder()
{
    myWindow->setPort();
    MoveTo(paneRect.left, paneRect.top);
    LineTo(paneRect.left, paneRect.bottom);
    LineTo(paneRect.right, paneRect.bottom);
    LineTo(paneRect.right, paneRect.top);
    LineTo(static_cast<short>(farRight), paneRect.top);
}

void PTabManager::draw()
{
    myWindow->setPort();
    PPortStateSaver saver;
    SetOrigin(0, 0);
    Rect port;
    myWindow->portRect(&port);

    RGBBackColor(&kMarginBackground);
    const Rect above = {port.top, port.left, paneRect.top, port.right};
    const Rect below = {static_cast<short>(paneRect.bottom + 1), port.left, port.bottom, port.right};
    const Rect right = {port.top, static_cast<short>(paneRect.right + 1), port.bottom, port.right};
    const Rect left = {port.top, port.left, port.bottom, paneRect.left};
    EraseRect(&above);
    EraseRect(&below);
    EraseRect(&right);
    EraseRect(&left);
    RGBBackColor(&saver.backColor());

    for (PTabPane* tab = paneList; tab; tab = tab->next)
        tab->_draw();
    _drawPaneBorder();
}

char PTabManager::handleMouseDown(const EventRecord* theEvent)
{
    myWindow->setPort();
    PPortStateSaver saver;
    Point local = theEvent->where;
    GlobalToLocal(&local);

    PTabPane* pressed = paneList;
    while (pressed && !(PtInRect(local, &pressed->titleRect) && !pressed->active))
        pressed = pressed->next;

    if (pressed) {
        pressed->_drawTabHilited();
        bool inside = true;
        auto follow = [&] {
            Point mouse;
            GetMouse(&mouse);
            const bool nowInside = PtInRect(mouse, &pressed->titleRect);
            if (nowInside != inside) {
                inside = nowInside;
                if (inside)
                    pressed->_drawTabHilited();
                else
                    pressed->_drawTab();
            }
        };
        while (StillDown())
            follow();
        follow(); // where the button went up
        if (!inside)
            return true;
        pressed->_drawTab();
        activateOnly(pressed);
        return true;
    }

    PTabPane* activeTab = paneList;
    while (activeTab && !activeTab->active)
        activeTab = activeTab->next;
    if (activeTab == nullptr)
        return false;
    RGBBackColor(&kPaneBackground);
    return activeTab->_handleMouseDown(theEvent);
}

void PTabManager::idle()
{
    myWindow->setPort();
    PPortStateSaver saver;
    for (PTabPane* tab = paneList; tab; tab = tab->next)
        tab->_idle();
}
