// ScrollRect: the pixels inside the rectangle move; what they leave is
// erased and reported. Only pixels that are visible both before and after
// the move are carried; the rest of the rectangle becomes the update area.
#include "quickdraw/Raster.h"

#include <algorithm>

using namespace toolbox;

namespace {

// Drawn texts inside the scrolled area travel with their pixels; the part of
// a text that leaves the area is cut off, and a text that leaves it
// altogether is forgotten.
void moveDrawnTexts(GrafPtr port, const IRect& area, int dh, int dv)
{
    if (!port->extras)
        return;
    auto& texts = port->extras->texts;
    for (auto it = texts.begin(); it != texts.end();) {
        IRect t = IRect::from(it->bounds);
        IRect inside = t.intersect(area);
        if (inside.empty()) {
            ++it;
            continue;
        }
        IRect moved = inside.offset(dh, dv).intersect(area);
        if (moved.empty()) {
            it = texts.erase(it);
        } else {
            it->bounds = moved.toRect();
            ++it;
        }
    }
}

} // namespace

void ScrollRect(const Rect* r, short dh, short dv, RgnHandle updateRgn)
{
    GrafPtr port = currentPort();
    Surface s = surfaceOf(port);
    Point shift = portShift(port);
    IRect area = IRect::from(*r).offset(shift.h, shift.v);
    Region visible = drawingClip(port).intersect(area);
    Region kept = visible;
    kept.offset(dh, dv);
    kept = kept.intersect(visible);

    if (!kept.empty()) {
        // Copy through a buffer: source and destination overlap.
        IRect from = kept.bounds().offset(-dh, -dv);
        int w = from.right - from.left;
        std::vector<uint32_t> buffer(size_t(w) * size_t(from.bottom - from.top));
        for (int y = from.top; y < from.bottom; ++y)
            std::copy_n(&s.at(from.left, y), w, &buffer[size_t(y - from.top) * size_t(w)]);
        for (const IRect& k : kept.rects())
            for (int y = k.top; y < k.bottom; ++y)
                for (int x = k.left; x < k.right; ++x)
                    s.at(x, y) = buffer[size_t(y - dv - from.top) * size_t(w) + size_t(x - dh - from.left)];
        noteChanged(s, kept.bounds());
    }
    moveDrawnTexts(port, visible.bounds(), dh, dv);

    Region vacated = visible.subtract(kept);
    paintArea(port, vacated, port->bkPat, patCopy);
    if (updateRgn) {
        vacated.offset(-shift.h, -shift.v);
        regionOf(updateRgn) = vacated;
    }
}
