// The application object: it owns the Apple menu and runs the one event loop
// of the program. The loop waits up to a second for an event, dispatches it
// (menu bar, windows, command keys, keys, updates, Apple events) and then
// calls idle(), once per pass.
#pragma once

#include "framework/PAppleMenu.h"

#include <Events.h>
#include <MacTypes.h>

class PApplication {
public:
    explicit PApplication(const unsigned char* appName);
    virtual ~PApplication();
    virtual void about();
    virtual void handleKeyDown(const EventRecord* theEvent);
    virtual void handleCommandKeyDown(const EventRecord* theEvent);
    virtual void idle();

    PApplication(const PApplication&) = delete;
    PApplication& operator=(const PApplication&) = delete;

    // Runs until quit(); the pass in which quit() is called finishes first.
    void run();
    void quit();

protected:
    PAppleMenu appleMenu;
    char running;

private:
    void dispatch(const EventRecord& event);
    void dispatchMouseDown(const EventRecord& event);
    void dispatchKeyDown(const EventRecord& event);
    void dispatchUpdate(const EventRecord& event);
};

// The application whose run() was entered last; null before.
extern PApplication* runningApp;

// Sets the arrow cursor; the program's first call. Returns 0.
OSErr Initialize();
