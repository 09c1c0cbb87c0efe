// The host that shows the screen in an SDL2 window. The toolbox's own
// framebuffer is copied (scaled by a whole factor in our own code) into the
// window surface, only where it changed; SDL's framebuffer acceleration is
// off on X11, where the plain window surface is several times faster. The
// event wait blocks in SDL (no polling). Known SDL traps are handled here:
// clicks that arrive with the focus are kept (click-through), modifier keys
// never make key events (so SDL's synthetic key-down for a modifier held at
// start is not a key press), and the screensaver stays allowed.
//
// Environment: MACSIM_SCALE (1 to 8; default: 2 or more only on a large
// display), MACSIM_TITLE (the window title; default: the program's name).
#pragma once

#include "host/Host.h"

#include <string>

union SDL_Event;
struct SDL_Window;

namespace toolbox {

class SdlHost : public Host {
public:
    SdlHost() = default;
    ~SdlHost() override;

    // Opens the window; false with SDL's reason when it cannot.
    bool start(std::string& error);

    const char* name() const override { return "window"; }
    bool usesVirtualTime() const override { return false; }
    void present(const std::vector<Rect>& areas) override;
    void collectInput(int timeoutMs, std::vector<HostInput>& out) override;
    EventModifiers launchModifiers() const override { return launchModifiers_; }

private:
    void translate(const SDL_Event& event, std::vector<HostInput>& out);
    Point screenPoint(int x, int y) const;

    SDL_Window* window_ = nullptr;
    int scale_ = 1;
    EventModifiers launchModifiers_ = 0;
};

// Integer scale for a display whose usable area is width x height: 1 unless
// the screen fits two and a half times over (then as many times as that allows).
int automaticScale(int usableWidth, int usableHeight);

} // namespace toolbox
