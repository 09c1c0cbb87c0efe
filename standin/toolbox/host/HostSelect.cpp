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

DisplayWish displayWish()
{
    const char* display = std::getenv("MACSIM_DISPLAY");
    if (!display || !*display)
        return DisplayWish::Automatic;
    if (std::strcmp(display, "headless") == 0)
        return DisplayWish::Headless;
    if (std::strcmp(display, "window") == 0)
        return DisplayWish::Window;
    if (std::strcmp(display, "framebuffer") == 0)
        return DisplayWish::Framebuffer;
    std::fprintf(stderr,
        "macsim: MACSIM_DISPLAY must be \"headless\", \"window\" or \"framebuffer\", not \"%s\"\n", display);
    std::exit(1);
}

bool displayServerNamed()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

int requestedScale()
{
    const char* text = std::getenv("MACSIM_SCALE");
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1 || value > 8) {
        std::fprintf(stderr, "macsim: MACSIM_SCALE must be a whole number from 1 to 8, not \"%s\"\n", text);
        std::exit(1);
    }
    return int(value);
}

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
