// Colour icons: bytes that are not a sound 'cicn' are refused; an icon that
// decodes draws at its own size, shrunk, stretched and half off the port.
#include "quickdraw/PictureData.h"
#include "quickdraw/Ports.h"

#include <Quickdraw.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static GrafPort port {};
    static bool ready = false;
    if (!ready) {
        toolbox::initPort(&port, Rect {40, 40, 104, 104});
        ready = true;
    }
    SetPort(&port);

    CIconHandle icon = toolbox::cIconFromBytes(data, size);
    if (!icon)
        return 0;
    const Rect targets[] = {
        Rect {0, 0, 32, 32},
        Rect {5, 5, 6, 7},
        Rect {-20, -30, 90, 200},
    };
    for (const Rect& target : targets)
        PlotCIcon(&target, icon);
    DisposeCIcon(icon);
    return 0;
}
