#include "quickdraw/Raster.h"

#include "quickdraw/Framebuffer.h"

#include <algorithm>

namespace toolbox {

namespace {

enum class Transfer { Copy, Or, Xor, Bic };

Transfer transferOf(short mode)
{
    switch ((mode >= patCopy ? mode - patCopy : mode) & 3) {
    case 1:
        return Transfer::Or;
    case 2:
        return Transfer::Xor;
    case 3:
        return Transfer::Bic;
    default:
        return Transfer::Copy;
    }
}

bool invertsPattern(short mode)
{
    return (mode >= notPatCopy && mode <= notPatBic) || (mode >= notSrcCopy && mode <= notSrcBic);
}

// The new value of a pixel for one pattern bit; `keep` leaves it alone.
inline uint32_t apply(Transfer t, bool bit, uint32_t dst, uint32_t fg, uint32_t bg)
{
    switch (t) {
    case Transfer::Copy:
        return bit ? fg : bg;
    case Transfer::Or:
        return bit ? fg : dst;
    case Transfer::Xor:
        return bit ? (dst ^ 0xFFFFFF) : dst;
    case Transfer::Bic:
        return bit ? bg : dst;
    }
    return dst;
}

} // namespace

Pattern solidPattern(UInt8 bits)
{
    Pattern p;
    std::fill(std::begin(p.pat), std::end(p.pat), bits);
    return p;
}

bool penDraws(GrafPtr port)
{
    return port->pnVis >= 0 && port->pnSize.h > 0 && port->pnSize.v > 0;
}

void noteChanged(const Surface& surface, const IRect& area)
{
    if (surface.isScreen && !area.empty())
        screen().markDirty(area.toRect());
}

void dropCoveredTexts(const Surface& surface, const Region& area)
{
    if (area.empty())
        return;
    for (GrafPtr port : livePorts()) {
        if (!port->extras || port->extras->texts.empty() || surfaceOf(port).pixels != surface.pixels)
            continue;
        auto& texts = port->extras->texts;
        std::erase_if(texts, [&](const DrawnText& t) { return area.covers(IRect::from(t.bounds)); });
    }
}

void paintArea(GrafPtr port, const Region& area, const Pattern& pattern, short mode)
{
    if (area.empty())
        return;
    Surface s = surfaceOf(port);
    Point shift = portShift(port);
    uint32_t fg = pixelOf(port->rgbFgColor), bg = pixelOf(port->rgbBkColor);
    Transfer t = transferOf(mode);
    Pattern pat = pattern;
    if (invertsPattern(mode))
        for (UInt8& row : pat.pat)
            row = UInt8(~row);
    bool solid = std::all_of(std::begin(pat.pat), std::end(pat.pat), [&](UInt8 b) { return b == pat.pat[0]; })
        && (pat.pat[0] == 0 || pat.pat[0] == 0xFF);

    for (const IRect& r : area.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            uint32_t* row = &s.at(0, y);
            if (solid && (t == Transfer::Copy || pat.pat[0] == 0xFF)) {
                bool bit = pat.pat[0] != 0;
                if (t == Transfer::Copy || t == Transfer::Or || t == Transfer::Bic) {
                    uint32_t value = t == Transfer::Bic ? bg : (bit ? fg : bg);
                    std::fill(row + r.left, row + r.right, value);
                } else {
                    for (int x = r.left; x < r.right; ++x)
                        row[x] ^= 0xFFFFFF;
                }
                continue;
            }
            UInt8 bits = pat.pat[unsigned(y - shift.v) & 7];
            for (int x = r.left; x < r.right; ++x) {
                bool bit = (bits >> (7 - (unsigned(x - shift.h) & 7))) & 1;
                row[x] = apply(t, bit, row[x], fg, bg);
            }
        }
    }
    noteChanged(s, area.bounds());
    // Text under an inversion still shows; under a replacing paint it is gone.
    if (t == Transfer::Copy || (solid && pat.pat[0] == 0xFF && t != Transfer::Xor))
        dropCoveredTexts(s, area);
}

void paintShape(GrafPtr port, const Region& shape, const Pattern& pat, short mode)
{
    if (shape.empty())
        return;
    Point shift = portShift(port);
    Region area = shape;
    area.offset(shift.h, shift.v);
    if (const std::optional<IRect> box = rectangularClip(port))
        area.clipTo(*box);
    else
        area = area.intersect(drawingClip(port));
    paintArea(port, area, pat, mode);
}

} // namespace toolbox
