// Rectangles, rounded rectangles, ovals and regions: each shape becomes a
// region in local coordinates; a frame is the shape minus the shape inset by
// the pen size, so it lies inside the shape's bounds.
#include "quickdraw/Raster.h"

#include <algorithm>
#include <cmath>

using namespace toolbox;

namespace {

using Spans = std::vector<std::pair<int, int>>;

// The left inset of each row of an ellipse w wide and h high.
std::vector<int> ellipseInsets(int w, int h)
{
    std::vector<int> insets(size_t(std::max(0, h)), w);
    double a = w / 2.0, b = h / 2.0;
    for (int i = 0; i < h; ++i) {
        double dy = (i + 0.5) - b;
        double t = 1.0 - (dy * dy) / (b * b);
        if (t <= 0)
            continue;
        insets[size_t(i)] = int(std::lround(a - a * std::sqrt(t)));
    }
    return insets;
}

Region ovalShape(const Rect& r)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return Region();
    Spans rows;
    rows.reserve(size_t(h));
    for (int inset : ellipseInsets(w, h))
        rows.emplace_back(r.left + inset, r.right - inset);
    return Region::fromRows(r.top, rows);
}

Region roundRectShape(const Rect& r, int ovalWidth, int ovalHeight)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return Region();
    int ow = std::clamp(ovalWidth, 0, w), oh = std::clamp(ovalHeight, 0, h);
    if (ow < 2 || oh < 2)
        return Region(IRect::from(r));
    std::vector<int> corner = ellipseInsets(ow, oh);
    Spans rows;
    rows.reserve(size_t(h));
    for (int i = 0; i < h; ++i) {
        int inset = 0;
        if (i < oh / 2)
            inset = corner[size_t(i)];
        else if (h - 1 - i < oh / 2)
            inset = corner[size_t(h - 1 - i)];
        rows.emplace_back(r.left + inset, r.right - inset);
    }
    return Region::fromRows(r.top, rows);
}

Rect insetBy(const Rect& r, Point pen)
{
    return Rect {
        SInt16(r.top + pen.v), SInt16(r.left + pen.h), SInt16(r.bottom - pen.v), SInt16(r.right - pen.h)};
}

void frame(const Region& outer, const Region& inner)
{
    GrafPtr port = currentPort();
    if (penDraws(port))
        paintShape(port, outer.subtract(inner), port->pnPat, port->pnMode);
}

void paint(const Region& shape)
{
    GrafPtr port = currentPort();
    if (port->pnVis >= 0)
        paintShape(port, shape, port->pnPat, port->pnMode);
}

void erase(const Region& shape)
{
    GrafPtr port = currentPort();
    paintShape(port, shape, port->bkPat, patCopy);
}

void invert(const Region& shape)
{
    paintShape(currentPort(), shape, solidPattern(0xFF), patXor);
}

void fill(const Region& shape, const Pattern* pat)
{
    paintShape(currentPort(), shape, pat ? *pat : solidPattern(0xFF), patCopy);
}

} // namespace

void FrameRect(const Rect* r)
{
    frame(Region(IRect::from(*r)), Region(IRect::from(insetBy(*r, currentPort()->pnSize))));
}

void PaintRect(const Rect* r)
{
    paint(Region(IRect::from(*r)));
}

void EraseRect(const Rect* r)
{
    erase(Region(IRect::from(*r)));
}

void InvertRect(const Rect* r)
{
    invert(Region(IRect::from(*r)));
}

void FillRect(const Rect* r, const Pattern* pat)
{
    fill(Region(IRect::from(*r)), pat);
}

void FrameRoundRect(const Rect* r, short ovalWidth, short ovalHeight)
{
    Point pen = currentPort()->pnSize;
    frame(roundRectShape(*r, ovalWidth, ovalHeight),
        roundRectShape(insetBy(*r, pen), ovalWidth - 2 * pen.h, ovalHeight - 2 * pen.v));
}

void PaintRoundRect(const Rect* r, short ovalWidth, short ovalHeight)
{
    paint(roundRectShape(*r, ovalWidth, ovalHeight));
}

void EraseRoundRect(const Rect* r, short ovalWidth, short ovalHeight)
{
    erase(roundRectShape(*r, ovalWidth, ovalHeight));
}

void InvertRoundRect(const Rect* r, short ovalWidth, short ovalHeight)
{
    invert(roundRectShape(*r, ovalWidth, ovalHeight));
}

void FillRoundRect(const Rect* r, short ovalWidth, short ovalHeight, const Pattern* pat)
{
    fill(roundRectShape(*r, ovalWidth, ovalHeight), pat);
}

void FrameOval(const Rect* r)
{
    frame(ovalShape(*r), ovalShape(insetBy(*r, currentPort()->pnSize)));
}

void PaintOval(const Rect* r)
{
    paint(ovalShape(*r));
}

void EraseOval(const Rect* r)
{
    erase(ovalShape(*r));
}

void InvertOval(const Rect* r)
{
    invert(ovalShape(*r));
}

void FillOval(const Rect* r, const Pattern* pat)
{
    fill(ovalShape(*r), pat);
}

void FrameRgn(RgnHandle rgn)
{
    Point pen = currentPort()->pnSize;
    const Region& shape = regionOf(rgn);
    frame(shape, shape.inset(pen.h, pen.v));
}

void PaintRgn(RgnHandle rgn)
{
    paint(regionOf(rgn));
}

void EraseRgn(RgnHandle rgn)
{
    erase(regionOf(rgn));
}

void InvertRgn(RgnHandle rgn)
{
    invert(regionOf(rgn));
}

void FillRgn(RgnHandle rgn, const Pattern* pat)
{
    fill(regionOf(rgn), pat);
}
