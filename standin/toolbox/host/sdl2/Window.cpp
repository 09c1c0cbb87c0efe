// The window of a build with SDL2.
#include "host/ScreenChoice.h"
#include "host/sdl2/SdlHost.h"

namespace toolbox {

bool buildHasWindow()
{
    return true;
}

std::unique_ptr<Host> openWindow(std::string& error)
{
    auto window = std::make_unique<SdlHost>();
    if (!window->start(error))
        return nullptr;
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
