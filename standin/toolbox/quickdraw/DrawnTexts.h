// Where each string a port drew still shows on the screen, so that event
// scripts can click a control or a tab by its title, and where each control
// was drawn, so that a layout can be checked from what shows. Entries are
// dropped when their area is painted over (fully covered) and moved or
// dropped by ScrollRect.
#pragma once

#include <Quickdraw.h>

#include <string>
#include <vector>

namespace toolbox {

struct DrawnText {
    std::string text; // as drawn (Mac OS Roman bytes); a control's title
    Rect bounds; // global: pen start to advance, ascent above to descent below the baseline, clipped;
                 // a control's rectangle
    std::string control; // empty for text; else the control's kind ("button", "checkbox" ...)
};

// Oldest first: the texts, and the controls.
std::vector<DrawnText> drawnTexts(CGrafPtr port);
std::vector<DrawnText> drawnControls(CGrafPtr port);
// Notes that a control of `kind` titled `title` was drawn in `port` over
// `bounds` (local coordinates of the port, kept to the port's rectangle);
// replaces an entry at the same place.
void recordDrawnControl(CGrafPtr port, const char* kind, std::string title, const Rect& bounds);
void forgetDrawnTexts(CGrafPtr port);

} // namespace toolbox
