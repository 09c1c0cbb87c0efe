// Events.h: the Event Manager: one queue fed by the host (mouse, keyboard,
// the desktop's quit request) and by event scripts, read by WaitNextEvent and
// by every nested loop that tracks the mouse.
//
// Provided: WaitNextEvent (blocks in the host; no busy waiting), GetNextEvent,
// EventAvail, FlushEvents, PostEvent, GetMouse, StillDown, WaitMouseUp,
// Button, TickCount, GetKeys, GetCurrentKeyModifiers, GetDblTime, GetCaretTime.
// (InitCursor and SetCursor are declared in Quickdraw.h, SysBeep in Sound.h.)
//
// Simplifications:
// - Update events are made up when nothing else is pending, front window
//   first, for as long as a window's update region is not empty (as on a Mac).
//   High-level events (kHighLevelEvent) come after them: message holds the
//   event class, `where` the event ID (v = high 16 bits, h = low 16 bits).
// - No activate, disk, suspend/resume or mouse-moved events are generated.
// - message is as wide as a pointer so that an update event can carry its
//   WindowRef on a 64-bit host.
// - On Linux keyboards, Ctrl and the Super key both act as Command, Alt as
//   Option.
// - KeyMap is the Mac's byte order: key code k is bit (k & 7) of byte (k >> 3)
//   of the 16 bytes, whatever the host's endianness. Read it as bytes, e.g.
//   ((const UInt8*)keys)[58 >> 3] & (1 << (58 & 7)) for the Option key.
#pragma once

#include <MacTypes.h>
#include <Quickdraw.h>

typedef UInt16 EventKind;
typedef UInt16 EventMask;
typedef UInt16 EventModifiers;

enum : EventKind {
    nullEvent = 0,
    mouseDown = 1,
    mouseUp = 2,
    keyDown = 3,
    keyUp = 4,
    autoKey = 5,
    updateEvt = 6,
    diskEvt = 7,
    activateEvt = 8,
    networkEvt = 10,
    driverEvt = 11,
    app1Evt = 12,
    app2Evt = 13,
    app3Evt = 14,
    app4Evt = 15,
    osEvt = 15,
    kHighLevelEvent = 23,
};

enum : EventMask {
    mDownMask = 1 << mouseDown,
    mUpMask = 1 << mouseUp,
    keyDownMask = 1 << keyDown,
    keyUpMask = 1 << keyUp,
    autoKeyMask = 1 << autoKey,
    updateMask = 1 << updateEvt,
    diskMask = 1 << diskEvt,
    activMask = 1 << activateEvt,
    highLevelEventMask = 0x0400,
    osMask = 0x8000,
    everyEvent = 0xFFFF,
};

enum : EventModifiers {
    activeFlag = 0x0001,
    btnState = 0x0080, // set while the mouse button is UP
    cmdKey = 0x0100,
    shiftKey = 0x0200,
    alphaLock = 0x0400,
    optionKey = 0x0800,
    controlKey = 0x1000,
    rightShiftKey = 0x2000,
    rightOptionKey = 0x4000,
    rightControlKey = 0x8000,
};

enum : UInt32 {
    charCodeMask = 0x000000FF,
    keyCodeMask = 0x0000FF00,
};

struct EventRecord {
    EventKind what;
    unsigned long message; // key events: char code (bits 0-7), key code (bits 8-15); update: WindowRef
    UInt32 when; // ticks
    Point where; // global
    EventModifiers modifiers;
};

typedef UInt32 KeyMap[4];
typedef UInt8 KeyMapByteArray[16];

// The next event of eventMask, removed from the queue; false (and a null
// event) when none came within `sleep` ticks. mouseRgn is ignored.
Boolean WaitNextEvent(EventMask eventMask, EventRecord* theEvent, UInt32 sleep, RgnHandle mouseRgn);
// As WaitNextEvent without waiting.
Boolean GetNextEvent(EventMask eventMask, EventRecord* theEvent);
// As GetNextEvent, but leaves the event in the queue.
Boolean EventAvail(EventMask eventMask, EventRecord* theEvent);
// Removes the events of whichMask up to the first event of stopMask.
void FlushEvents(EventMask whichMask, EventMask stopMask);
// Queues an event made by the program (any kind but update and high-level).
OSErr PostEvent(EventKind eventNum, unsigned long eventMsg);

// The mouse position in the current port's local coordinates.
void GetMouse(Point* mouseLoc);
// True while the button is held and no mouse event is waiting in the queue.
Boolean StillDown();
// As StillDown; when it returns false it also removes the mouse-up event.
Boolean WaitMouseUp();
// The button's state right now.
Boolean Button();
// Sixtieths of a second since the program started (virtual in the headless host).
UInt32 TickCount();
void GetKeys(KeyMap theKeys);
// The modifier keys held now, as in EventRecord.modifiers.
UInt32 GetCurrentKeyModifiers();
UInt32 GetDblTime();
UInt32 GetCaretTime();

enum : OSErr {
    evtNotEnb = 1,
};
