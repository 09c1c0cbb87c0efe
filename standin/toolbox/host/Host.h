// What a host (the SDL window, the console's framebuffer, or nothing at all
// when headless) does for the toolbox: show parts of the screen, and report
// raw input. The toolbox owns the framebuffer, the event queue and the clock;
// a host only moves pixels out and input in.
#pragma once

#include <Events.h>
#include <MacTypes.h>

#include <memory>
#include <vector>

namespace toolbox {

struct HostInput {
    // Modifiers: only the modifier keys changed (no event of its own on a Mac).
    enum class Kind { MouseMove, MouseDown, MouseUp, KeyDown, KeyUp, AutoKey, Modifiers, QuitRequest };
    Kind kind = Kind::MouseMove;
    Point where {0, 0}; // global (screen) coordinates
    UInt8 charCode = 0;
    UInt8 keyCode = 0;
    // cmdKey, shiftKey, optionKey, controlKey, alphaLock as held with this input.
    EventModifiers modifiers = 0;
};

class Host {
public:
    virtual ~Host() = default;

    virtual const char* name() const = 0;
    // Headless: time moves only when the program waits (see Clock).
    virtual bool usesVirtualTime() const = 0;
    // Shows these screen rectangles (global coordinates) as they are now.
    virtual void present(const std::vector<Rect>& areas) = 0;
    // Appends the input that has arrived. Waits up to timeoutMs for the
    // first (0: returns at once) without using the processor meanwhile.
    virtual void collectInput(int timeoutMs, std::vector<HostInput>& out) = 0;
    // Modifier keys the host saw held down when it started (optionKey ...).
    virtual EventModifiers launchModifiers() const { return 0; }
};

// What MACSIM_DISPLAY asks for: nothing (the host library's own choice), no
// screen, or insisting on a window or on the framebuffer.
enum class DisplayWish { Automatic, Headless, Window, Framebuffer };

// Makes the host. Defined by the one host library the program links:
// standin_host_sdl2 (a window where a display server answers, else the
// console's framebuffer), standin_host_console (the framebuffer) or
// standin_host_headless (headless always). MACSIM_DISPLAY=headless is
// headless in each. A host that cannot start ends the program with one line
// on standard error and exit status 1.
std::unique_ptr<Host> makeHost(DisplayWish wish);

// MACSIM_DISPLAY read; a value it cannot be ends the program (status 1).
DisplayWish displayWish();
// DISPLAY or WAYLAND_DISPLAY names a display server.
bool displayServerNamed();
// MACSIM_SCALE, or 0 when unset; a bad value ends the program (status 1).
int requestedScale();

// The host, created on first use by makeHost.
Host& host();
bool hostExists();

// Hands the screen's changed areas to the host. The first time anything is
// presented, the file named by MACSIM_READY (if set) is created.
void presentScreen();
// Presents the whole screen again (after the host lost its contents).
void presentWholeScreen();

} // namespace toolbox
