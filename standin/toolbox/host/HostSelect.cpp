// Choosing the host, and handing it the screen's changed areas.
#include "host/Host.h"

#include "host/headless/HeadlessHost.h"
#include "host/sdl2/SdlHost.h"
#include "quickdraw/Framebuffer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace toolbox {

namespace {

std::unique_ptr<Host>& theHost()
{
    static std::unique_ptr<Host> h;
    return h;
}

bool wantsHeadless()
{
    const char* display = std::getenv("MACSIM_DISPLAY");
    if (display && std::strcmp(display, "headless") == 0)
        return true;
    if (display && *display && std::strcmp(display, "window") != 0) {
        std::fprintf(
            stderr, "macsim: MACSIM_DISPLAY must be \"headless\" or \"window\", not \"%s\"\n", display);
        std::exit(1);
    }
    if (display && std::strcmp(display, "window") == 0)
        return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(x11 && *x11) && !(wayland && *wayland);
}

bool presentedOnce = false;

void signalReady()
{
    presentedOnce = true;
    const char* path = std::getenv("MACSIM_READY");
    if (!path || !*path)
        return;
    std::ofstream touch(path, std::ios::app);
    if (!touch)
        std::fprintf(stderr, "macsim: cannot create the ready file %s\n", path);
}

} // namespace

Host& host()
{
    auto& h = theHost();
    if (!h) {
        if (wantsHeadless()) {
            h = std::make_unique<HeadlessHost>();
        } else {
            auto window = std::make_unique<SdlHost>();
            std::string error;
            if (!window->start(error)) {
                std::fprintf(stderr,
                    "macsim: cannot open the window: %s (MACSIM_DISPLAY=headless runs without one)\n",
                    error.c_str());
                std::exit(1);
            }
            h = std::move(window);
        }
    }
    return *h;
}

bool hostExists()
{
    return theHost() != nullptr;
}

void presentScreen()
{
    auto areas = screen().takeDirty();
    if (areas.empty() && presentedOnce)
        return;
    host().present(areas);
    if (!presentedOnce)
        signalReady();
}

void presentWholeScreen()
{
    screen().takeDirty();
    host().present({screen().bounds()});
}

} // namespace toolbox

// For a leak checker: SDL's X11 backend leaves D-Bus state behind at exit,
// outside anything the toolbox can free. Defined here, beside the choice of
// host, so that every program with a window carries it, whatever environment
// it was started with; without a sanitizer nothing calls it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
