// Where each string a port drew still shows on the screen, so that event
// scripts can click a control or a tab by its title. Entries are dropped when
// their area is painted over (fully covered) and moved or dropped by
// ScrollRect.
#pragma once

#include <Quickdraw.h>

#include <string>
#include <vector>

namespace toolbox {

struct DrawnText {
    std::string text; // as drawn (Mac OS Roman bytes)
    Rect bounds; // global: pen start to advance, ascent above to descent below the baseline, clipped
};

// Oldest first.
std::vector<DrawnText> drawnTexts(CGrafPtr port);
void forgetDrawnTexts(CGrafPtr port);

} // namespace toolbox
