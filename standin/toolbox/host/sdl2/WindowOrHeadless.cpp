// The host of programs with a window: the SDL window where a display is, and
// headless where there is none or none is wanted.
#include "host/headless/HeadlessHost.h"
#include "host/sdl2/SdlHost.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace toolbox {

std::unique_ptr<Host> makeHost(DisplayWish wish)
{
    if (wish == DisplayWish::None)
        return std::make_unique<HeadlessHost>();
    auto window = std::make_unique<SdlHost>();
    std::string error;
    if (!window->start(error)) {
        std::fprintf(stderr,
            "macsim: cannot open the window: %s (MACSIM_DISPLAY=headless runs without one)\n", error.c_str());
        std::exit(1);
    }
    return window;
}

} // namespace toolbox

// For a leak checker: SDL's X11 backend leaves D-Bus state behind at exit,
// outside anything the toolbox can free. Defined beside the window host, so
// that every program with a window carries it, whatever environment it was
// started with; without a sanitizer nothing calls it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
