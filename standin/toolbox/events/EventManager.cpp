// The Event Manager's calls, over the event center.
#include <Events.h>
#include <Sound.h>

#include "events/Clock.h"
#include "events/EventCenter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using toolbox::EventCenter;

Boolean WaitNextEvent(EventMask eventMask, EventRecord* theEvent, UInt32 sleep, RgnHandle)
{
    EventRecord event;
    bool got = EventCenter::get().nextEvent(eventMask, sleep, true, event, "WaitNextEvent");
    if (theEvent)
        *theEvent = event;
    return got;
}

Boolean GetNextEvent(EventMask eventMask, EventRecord* theEvent)
{
    EventRecord event;
    bool got = EventCenter::get().nextEvent(eventMask, 0, true, event, "GetNextEvent");
    if (theEvent)
        *theEvent = event;
    return got;
}

Boolean EventAvail(EventMask eventMask, EventRecord* theEvent)
{
    EventRecord event;
    bool got = EventCenter::get().nextEvent(eventMask, 0, false, event, "EventAvail");
    if (theEvent)
        *theEvent = event;
    return got;
}

void FlushEvents(EventMask whichMask, EventMask stopMask)
{
    EventCenter::get().flush(whichMask, stopMask);
}

OSErr PostEvent(EventKind eventNum, unsigned long eventMsg)
{
    return EventCenter::get().post(eventNum, eventMsg);
}

void GetMouse(Point* mouseLoc)
{
    if (!mouseLoc)
        return;
    *mouseLoc = EventCenter::get().mouse();
    GlobalToLocal(mouseLoc);
}

Boolean StillDown()
{
    return EventCenter::get().stillDown(false, "StillDown");
}

Boolean WaitMouseUp()
{
    return EventCenter::get().stillDown(true, "WaitMouseUp");
}

Boolean Button()
{
    return EventCenter::get().button("Button");
}

UInt32 TickCount()
{
    EventCenter::get();
    return toolbox::clock().now();
}

void GetKeys(KeyMap theKeys)
{
    if (theKeys)
        EventCenter::get().keyMap(reinterpret_cast<UInt8*>(theKeys));
}

UInt32 GetCurrentKeyModifiers()
{
    return EventCenter::get().modifiers() & ~btnState;
}

UInt32 GetDblTime()
{
    return 30;
}

UInt32 GetCaretTime()
{
    return 30;
}

namespace toolbox {
int beepsSoFar = 0;
}

void SysBeep(short)
{
    ++toolbox::beepsSoFar;
    const char* log = std::getenv("MACSIM_LOG_BEEPS");
    if (log && std::strcmp(log, "1") == 0)
        std::fprintf(stderr, "beep\n");
}
