// How a program with a screen chooses it: a window where a display server
// answers and the build has one, else the console's framebuffer, else none
// (the program ends, saying why). MACSIM_DISPLAY insists on one of them.
#pragma once

#include "host/Host.h"

#include <memory>
#include <string>

namespace toolbox {

// Defined beside the window host, or as its absence in a build without SDL2.
bool buildHasWindow();
// Null, with the reason, when it cannot open.
std::unique_ptr<Host> openWindow(std::string& error);

// MACSIM_FBDEV, else /dev/fb0.
std::string framebufferDevice();
std::unique_ptr<Host> openFramebuffer(std::string& error);

// For the usage: the screen a start would choose now, and why, in a few words.
std::string describeScreenChoice();

} // namespace toolbox
