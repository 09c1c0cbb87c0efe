// The pixel work shared by every drawing call: filling an area of a port's
// pixels with a pattern in a transfer mode, and the bookkeeping that follows
// (dirty screen areas, drawn texts painted over).
#pragma once

#include "quickdraw/PortInternals.h"

namespace toolbox {

// Paints `shape` (local coordinates of port) clipped by the port's clip.
void paintShape(GrafPtr port, const Region& shape, const Pattern& pat, short mode);
// Paints `area` (pixel coordinates, already clipped).
void paintArea(GrafPtr port, const Region& area, const Pattern& pat, short mode);

// After pixels of surface changed in `area`: marks the screen dirty.
void noteChanged(const Surface& surface, const IRect& area);
// Drops the drawn texts of every port on surface that `area` covers fully.
void dropCoveredTexts(const Surface& surface, const Region& area);

// Whether a pen operation draws at all (pen shown, non-empty pen).
bool penDraws(GrafPtr port);

Pattern solidPattern(UInt8 bits);

} // namespace toolbox
