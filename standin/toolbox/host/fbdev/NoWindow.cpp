// The window of a build without SDL2 (the PowerPC build): there is none.
#include "host/ScreenChoice.h"

namespace toolbox {

bool buildHasWindow()
{
    return false;
}

std::unique_ptr<Host> openWindow(std::string& error)
{
    error = "this build has no window";
    return nullptr;
}

} // namespace toolbox
