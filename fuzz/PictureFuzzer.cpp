// Pictures: any bytes, played into a small port and into one scaled up and
// offset, draw what they can and stop at the first damage, never touching
// memory outside the picture or the screen.
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
        toolbox::initPort(&port, Rect {20, 30, 120, 190});
        ready = true;
    }
    SetPort(&port);

    PicHandle picture = toolbox::pictureFromBytes(data, size);
    if (!picture)
        return 0;
    Rect bounds;
    QDGetPictureBounds(picture, &bounds);
    const Rect targets[] = {
        bounds,
        Rect {-7, -9, 300, 500},
        Rect {10, 10, 11, 11},
    };
    for (const Rect& target : targets)
        DrawPicture(picture, &target);
    KillPicture(picture);
    return 0;
}
