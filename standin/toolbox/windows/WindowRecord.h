// What the Window Manager keeps for a window. The port comes first, so a
// window's port and the window share an address, as a classic WindowRecord
// begins with its GrafPort.
#pragma once

#include <MacWindows.h>

#include "quickdraw/Region.h"

struct OpaqueWindowPtr {
    CGrafPort port {};
    short procID = documentProc;
    short kind = userKind;
    bool visible = false;
    bool goAway = false;
    bool hilited = false;
    long refCon = 0;
    unsigned char title[256] = {};
    toolbox::IRect content; // global
    toolbox::Region updateRgn; // global, within content
};
