// The pen: its state, and lines. A line is the pen rectangle dragged along
// the pixels of the line, so the pen hangs below and right of the path.
#include "quickdraw/Raster.h"

#include <algorithm>
#include <cstdlib>

using namespace toolbox;

namespace {

void drawLine(GrafPtr port, Point from, Point to)
{
    if (!penDraws(port))
        return;
    int pw = port->pnSize.h, ph = port->pnSize.v;
    int x0 = from.h, y0 = from.v, x1 = to.h, y1 = to.v;
    int top = std::min(y0, y1), rows = std::abs(y1 - y0) + ph;
    if (x0 == x1 || y0 == y1) { // the pen dragged straight covers a rectangle
        const int left = std::min(x0, x1), right = std::max(x0, x1) + pw;
        paintShape(port, Region(IRect {left, top, right, top + rows}), port->pnPat, port->pnMode);
        return;
    }
    std::vector<std::pair<int, int>> spans(size_t(rows), {1 << 30, -(1 << 30)});
    auto cover = [&](int x, int y) {
        for (int r = y; r < y + ph; ++r) {
            auto& s = spans[size_t(r - top)];
            s.first = std::min(s.first, x);
            s.second = std::max(s.second, x + pw);
        }
    };
    // Bresenham, both end points included.
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (int x = x0, y = y0;;) {
        cover(x, y);
        if (x == x1 && y == y1)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    paintShape(port, Region::fromRows(top, spans), port->pnPat, port->pnMode);
}

} // namespace

void MoveTo(short h, short v)
{
    currentPort()->pnLoc = Point {v, h};
}

void Move(short dh, short dv)
{
    Point& p = currentPort()->pnLoc;
    p = Point {SInt16(p.v + dv), SInt16(p.h + dh)};
}

void LineTo(short h, short v)
{
    GrafPtr port = currentPort();
    Point to {v, h};
    drawLine(port, port->pnLoc, to);
    port->pnLoc = to;
}

void Line(short dh, short dv)
{
    Point p = currentPort()->pnLoc;
    LineTo(short(p.h + dh), short(p.v + dv));
}

void PenSize(short width, short height)
{
    currentPort()->pnSize = Point {height, width};
}

void PenMode(short mode)
{
    currentPort()->pnMode = mode;
}

void PenPat(const Pattern* pat)
{
    if (pat)
        currentPort()->pnPat = *pat;
}

void PenNormal()
{
    GrafPtr port = currentPort();
    port->pnSize = Point {1, 1};
    port->pnMode = patCopy;
    port->pnPat = solidPattern(0xFF);
}

void GetPen(Point* pt)
{
    *pt = currentPort()->pnLoc;
}

void GetPenState(PenState* pnState)
{
    GrafPtr port = currentPort();
    *pnState = PenState {port->pnLoc, port->pnSize, port->pnMode, port->pnPat};
}

void SetPenState(const PenState* pnState)
{
    GrafPtr port = currentPort();
    port->pnLoc = pnState->pnLoc;
    port->pnSize = pnState->pnSize;
    port->pnMode = pnState->pnMode;
    port->pnPat = pnState->pnPat;
}

void HidePen()
{
    --currentPort()->pnVis;
}

void ShowPen()
{
    ++currentPort()->pnVis;
}
