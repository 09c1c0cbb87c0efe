// The one event queue and the one place where the program waits. Input from
// the host and from the event script goes into the same queue, so nested
// loops (MenuSelect, DragWindow, TrackGoAway, ModalDialog, TrackControl) read
// scripted input as they read a user's. Waiting blocks in the host (real
// time) or moves the virtual clock (headless).
//
// Order of delivery, as on a Mac: queued mouse and key events in arrival
// order, then update events (made up from the windows' update regions, front
// window first), then high-level events, then script steps, then the wait.
#pragma once

#include <AppleEvents.h>
#include <Events.h>

#include "host/Host.h"

#include <deque>

namespace toolbox {

// Names the loop that is waiting, innermost first, for the message the
// headless host gives when a script has ended but the program still waits.
class WaitLabel {
public:
    explicit WaitLabel(const char* what);
    ~WaitLabel();
    WaitLabel(const WaitLabel&) = delete;
    WaitLabel& operator=(const WaitLabel&) = delete;
    static const char* current(const char* fallback);

private:
    const char* previous_;
};

class EventCenter {
public:
    // The first call sets up the host, the clock, the event script, the quit
    // signals, the screen, and queues 'oapp'.
    static EventCenter& get();
    static bool exists();

    // WaitNextEvent (sleepTicks), GetNextEvent (0) and EventAvail (remove false).
    bool nextEvent(EventMask mask, UInt32 sleepTicks, bool remove, EventRecord& out, const char* caller);
    void flush(EventMask which, EventMask stop);
    OSErr post(EventKind what, unsigned long message);
    void postHighLevel(AEEventClass eventClass, AEEventID eventID);

    // Raw input, from the host or the event script.
    void deliver(const HostInput& input);
    // Keys that read as held from launch until the first input arrives
    // (MACSIM_KEYS, the script's `keys`).
    void holdLaunchKeys(EventModifiers modifiers);

    // Mouse tracking. stillDown: the button is held and no mouse event is
    // queued; with removeMouseUp a queued mouse-up is taken (WaitMouseUp).
    // When nothing has changed these let a little time pass (blocking in the
    // host, or running the next script step) so tracking loops do not spin.
    bool stillDown(bool removeMouseUp, const char* caller);
    bool button(const char* caller);
    Point mouse() const { return mouse_; }
    // Where the queued mouse-up (if any, before any mouse-down) happens.
    bool queuedMouseUp(Point& where) const;

    void keyMap(UInt8 out[16]) const;
    // Modifier keys held now, with btnState.
    EventModifiers modifiers() const;

    // Draws pending menu bar changes and presents the screen.
    void present();

    // Forgets queued events, held keys and button, and that a script ended;
    // for playing one script after another in one process (tests).
    void reset();
    // Whether a headless run sends 'quit' when its script has played (and
    // ends stuck programs); on unless a test turns it off.
    void setQuitAtScriptEnd(bool on) { quitAtScriptEnd_ = on; }

private:
    EventCenter();
    void start();
    void pollInput();
    bool takeQueued(EventMask mask, bool remove, EventRecord& out);
    bool takeHighLevel(bool remove, EventRecord& out);
    bool mouseEventQueued(bool removeMouseUp);
    // Runs the next due script step, or posts the closing 'quit' in a
    // headless run whose script is done. True if anything happened.
    bool advanceScript();
    bool scriptWaiting(UInt32& nextTick) const;
    // Presents, then waits for input until tick `until` (or passes virtual time).
    void waitUntil(UInt32 until, const char* caller);
    void letTrackingTimePass(const char* caller);
    void passVirtualTime(UInt32 ticks, const char* caller);
    [[noreturn]] void stillWaiting(const char* caller, const char* why);
    void enqueue(const EventRecord& event);
    EventModifiers heldModifiers() const;

    std::deque<EventRecord> queue_;
    std::deque<EventRecord> highLevel_;
    Point mouse_ {0, 0};
    bool button_ = false;
    UInt8 keys_[16] = {};
    EventModifiers hostModifiers_ = 0;
    EventModifiers launchModifiers_ = 0;
    bool quitAtScriptEnd_ = true;
    bool closingQuitPosted_ = false;
    UInt32 ticksWaitedAfterScript_ = 0;
};

} // namespace toolbox
