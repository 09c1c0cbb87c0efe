#include "host/ScreenChoice.h"

#include "host/fbdev/FbHost.h"
#include "host/headless/HeadlessHost.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace toolbox {

namespace {

constexpr const char* kHeadlessHint = " (MACSIM_DISPLAY=headless runs without one)";

[[noreturn]] void cannotShow(const std::string& why)
{
    std::fprintf(stderr, "macsim: %s%s\n", why.c_str(), kHeadlessHint);
    std::exit(1);
}

std::string displayServerName()
{
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland)
        return std::string("WAYLAND_DISPLAY=") + wayland;
    const char* x11 = std::getenv("DISPLAY");
    return std::string("DISPLAY=") + (x11 ? x11 : "");
}

} // namespace

std::string framebufferDevice()
{
    const char* named = std::getenv("MACSIM_FBDEV");
    return named && *named ? named : "/dev/fb0";
}

std::unique_ptr<Host> openFramebuffer(std::string& error)
{
    auto host = std::make_unique<FbHost>(framebufferDevice(), "/dev/input");
    if (!host->start(error))
        return nullptr;
    return host;
}

std::unique_ptr<Host> makeHost(DisplayWish wish)
{
    std::string windowError, framebufferError;
    std::unique_ptr<Host> made;
    switch (wish) {
    case DisplayWish::Headless:
        return std::make_unique<HeadlessHost>();
    case DisplayWish::Window:
        if (!(made = openWindow(windowError)))
            cannotShow("cannot open the window: " + windowError);
        return made;
    case DisplayWish::Framebuffer:
        if (!(made = openFramebuffer(framebufferError)))
            cannotShow("cannot show the screen on the framebuffer: " + framebufferError);
        return made;
    case DisplayWish::Automatic:
        break;
    }
    if (!buildHasWindow())
        windowError = "this build has no window";
    else if (!displayServerNamed())
        windowError = "no display server (DISPLAY and WAYLAND_DISPLAY are unset)";
    else if ((made = openWindow(windowError)))
        return made;
    else
        windowError = "cannot open the window: " + windowError;
    if ((made = openFramebuffer(framebufferError)))
        return made;
    cannotShow("no screen to show: " + windowError + ", and " + framebufferError);
}

std::string describeScreenChoice()
{
    switch (displayWish()) {
    case DisplayWish::Headless:
        return "none, headless (MACSIM_DISPLAY=headless)";
    case DisplayWish::Window:
        return buildHasWindow() ? "a window (MACSIM_DISPLAY=window)" : "none: this build has no window";
    case DisplayWish::Framebuffer:
        return "the framebuffer " + framebufferDevice() + " (MACSIM_DISPLAY=framebuffer)";
    case DisplayWish::Automatic:
        break;
    }
    if (buildHasWindow() && displayServerNamed())
        return "a window on the display server " + displayServerName() + ", else the framebuffer "
            + framebufferDevice();
    const std::string device = framebufferDevice();
    const std::string why = buildHasWindow() ? "no display server" : "this build has no window";
    int fd = open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return "none: " + why + ", and " + device + ": " + std::strerror(errno);
    close(fd);
    return "the framebuffer " + device + " (" + why + ")";
}

} // namespace toolbox
