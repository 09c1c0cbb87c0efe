// What a host (the SDL window, or nothing at all when headless) does for the
// toolbox: show parts of the screen, and report raw input. The toolbox owns
// the framebuffer, the event queue and the clock; a host only moves pixels
// out and input in.
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

// What the environment asks for: no display (MACSIM_DISPLAY=headless, or
// neither DISPLAY nor WAYLAND_DISPLAY set), a window because a display is
// there, or a window because MACSIM_DISPLAY=window says so.
enum class DisplayWish { None, Window, WindowRequired };

// Makes the host. Defined by the one host library the program links:
// standin_host_sdl2 (the SDL window, or headless without a display) or
// standin_host_headless (headless always; a required window is refused).
// A host that cannot start ends the program with one line on standard error
// and exit status 1.
std::unique_ptr<Host> makeHost(DisplayWish wish);

// The host, created on first use by makeHost.
Host& host();
bool hostExists();

// Hands the screen's changed areas to the host. The first time anything is
// presented, the file named by MACSIM_READY (if set) is created.
void presentScreen();
// Presents the whole screen again (after the host lost its contents).
void presentWholeScreen();

} // namespace toolbox
