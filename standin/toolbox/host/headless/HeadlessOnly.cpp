// The host of programs built without a window (the tests): always headless.
#include "host/headless/HeadlessHost.h"

#include <cstdio>
#include <cstdlib>

namespace toolbox {

std::unique_ptr<Host> makeHost(DisplayWish wish)
{
    if (wish == DisplayWish::Window || wish == DisplayWish::Framebuffer) {
        std::fprintf(stderr, "macsim: this program has no screen (MACSIM_DISPLAY=headless runs it)\n");
        std::exit(1);
    }
    return std::make_unique<HeadlessHost>();
}

} // namespace toolbox
