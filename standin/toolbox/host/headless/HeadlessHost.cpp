#include "host/headless/HeadlessHost.h"

#include "quickdraw/Framebuffer.h"

#include <cstdio>
#include <cstdlib>

namespace toolbox {

HeadlessHost::HeadlessHost()
{
    if (const char* dir = std::getenv("MACSIM_FRAMES"))
        framesDirectory_ = dir;
}

void HeadlessHost::present(const std::vector<Rect>& areas)
{
    if (framesDirectory_.empty() || areas.empty())
        return;
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%04d.png", ++frameNumber_);
    std::string error;
    if (!screen().savePNG(framesDirectory_ + name, &error))
        std::fprintf(stderr, "macsim: cannot save a frame: %s\n", error.c_str());
}

void HeadlessHost::collectInput(int, std::vector<HostInput>&)
{
    // Input comes only from the event script (and signals, which the event
    // queue watches itself).
}

} // namespace toolbox
