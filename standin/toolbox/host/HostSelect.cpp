// Choosing the host, and handing it the screen's changed areas.
#include "host/Host.h"

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

DisplayWish displayWish()
{
    const char* display = std::getenv("MACSIM_DISPLAY");
    if (display && std::strcmp(display, "headless") == 0)
        return DisplayWish::None;
    if (display && *display && std::strcmp(display, "window") != 0) {
        std::fprintf(
            stderr, "macsim: MACSIM_DISPLAY must be \"headless\" or \"window\", not \"%s\"\n", display);
        std::exit(1);
    }
    if (display && std::strcmp(display, "window") == 0)
        return DisplayWish::WindowRequired;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland) ? DisplayWish::Window : DisplayWish::None;
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
    if (!h)
        h = makeHost(displayWish());
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
