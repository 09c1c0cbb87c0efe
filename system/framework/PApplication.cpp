#include "framework/PApplication.h"

#include "framework/PWindow.h"

#include <AppleEvents.h>
#include <MacWindows.h>
#include <Quickdraw.h>

PApplication* runningApp = nullptr;

namespace {

constexpr UInt32 kSleepTicks = 60;

} // namespace

OSErr Initialize()
{
    InitCursor();
    return noErr;
}

PApplication::PApplication(const unsigned char* appName)
    : appleMenu(appName)
    , running(false)
{
}

PApplication::~PApplication() = default;

void PApplication::about()
{
}

void PApplication::handleKeyDown(const EventRecord*)
{
}

void PApplication::handleCommandKeyDown(const EventRecord*)
{
}

void PApplication::idle()
{
}

void PApplication::quit()
{
    running = false;
}

void PApplication::run()
{
    DrawMenuBar();
    runningApp = this;
    running = true;
    while (running) {
        EventRecord event;
        if (WaitNextEvent(everyEvent, &event, kSleepTicks, nullptr))
            dispatch(event);
        idle();
    }
}

void PApplication::dispatch(const EventRecord& event)
{
    switch (event.what) {
    case mouseDown:
        dispatchMouseDown(event);
        break;
    case keyDown:
    case autoKey:
        dispatchKeyDown(event);
        break;
    case updateEvt:
        dispatchUpdate(event);
        break;
    case kHighLevelEvent:
        AEProcessAppleEvent(&event);
        break;
    default:
        // mouseUp, keyUp, disk, activate and operating-system events.
        break;
    }
}

void PApplication::dispatchMouseDown(const EventRecord& event)
{
    WindowRef window = nullptr;
    short part = FindWindow(event.where, &window);
    switch (part) {
    case inMenuBar: {
        long choice = MenuSelect(event.where);
        if (choice != 0) {
            RouteMenuChoice(choice);
            HiliteMenu(0);
        }
        break;
    }
    case inContent:
    case inDrag:
    case inGrow:
    case inGoAway:
        if (PWindow* w = PWindow::fromWindow(window))
            w->_handleMouseDown(&event, part);
        break;
    default:
        // Desktop, system windows and the zoom boxes.
        break;
    }
}

void PApplication::dispatchKeyDown(const EventRecord& event)
{
    char character = char(event.message & charCodeMask);
    if (event.modifiers & cmdKey) {
        long choice = MenuKey(CharParameter(UInt8(character)));
        if (choice != 0) {
            RouteMenuChoice(choice);
            HiliteMenu(0);
        } else {
            handleCommandKeyDown(&event);
        }
        return;
    }
    if (WindowRef front = FrontWindow()) {
        if (PWindow* w = PWindow::fromWindow(front))
            w->handleKeyDown(character);
    } else {
        handleKeyDown(&event);
    }
}

void PApplication::dispatchUpdate(const EventRecord& event)
{
    WindowRef window = reinterpret_cast<WindowRef>(event.message);
    PWindow* w = PWindow::fromWindow(window);
    if (w)
        w->setPort();
    BeginUpdate(window);
    if (w)
        w->draw();
    EndUpdate(window);
}
