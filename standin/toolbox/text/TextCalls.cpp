// Text in a port: drawn from the pen on the baseline, glyph by glyph from the
// font's strike, with the advances of its width table, which the width calls
// report too. Bold and underline are QuickDraw's own on a bitmap font.
#include "quickdraw/Raster.h"
#include "text/FontLibrary.h"

#include <Fonts.h>
#include <Quickdraw.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace toolbox;
using toolbox::text::FontLibrary;
using toolbox::text::FontRequest;

namespace {

FontRequest requestOf(GrafPtr port)
{
    return FontRequest {port->txFont, port->txSize, port->txFace};
}

uint32_t inkColor(GrafPtr port)
{
    uint32_t fg = pixelOf(port->rgbFgColor);
    if (port->txMode != grayishTextOr)
        return fg;
    uint32_t bg = pixelOf(port->rgbBkColor), mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        mixed |= ((((fg >> shift) & 0xFF) + ((bg >> shift) & 0xFF)) / 2) << shift;
    return mixed;
}

// Where a glyph's ink falls on the underline row, so that the line can leave
// a pixel clear on either side of each descender.
struct UnderlineGaps {
    int left = 0;
    std::vector<uint8_t> ink;
    void mark(int x)
    {
        if (x >= left && x < left + int(ink.size()))
            ink[size_t(x - left)] = 1;
    }
    bool clear(int x) const
    {
        for (int dx = -1; dx <= 1; ++dx) {
            const int i = x + dx - left;
            if (i >= 0 && i < int(ink.size()) && ink[size_t(i)])
                return false;
        }
        return true;
    }
};

void drawBytes(const unsigned char* bytes, int count)
{
    GrafPtr port = currentPort();
    if (count <= 0)
        return;
    FontRequest request = requestOf(port);
    FontLibrary& fonts = FontLibrary::instance();
    text::Metrics m = fonts.metrics(request);
    int width = fonts.width(request, bytes, count);
    const text::Glyphs glyphs = fonts.glyphs(request);
    const int extra = text::boldExtra(request);

    Surface s = surfaceOf(port);
    Point shift = portShift(port);
    int penX = port->pnLoc.h + shift.h, baseline = port->pnLoc.v + shift.v;
    Region clip = drawingClip(port);
    IRect box {penX, baseline - m.ascent, penX + width, baseline + m.descent};
    uint32_t ink = inkColor(port), paper = pixelOf(port->rgbBkColor);
    short mode = port->txMode;
    const bool underlined = (port->txFace & underline) && width > 0;
    const int underlineRow = baseline + 1;
    UnderlineGaps gaps {penX - 1, std::vector<uint8_t>(underlined ? size_t(width + 2) : 0)};

    if (mode == srcCopy)
        paintArea(port, clip.intersect(box), solidPattern(0), patCopy);

    IRect touched;
    int x = penX;
    for (int i = 0; i < count; ++i) {
        const text::Glyph& g = glyphs[bytes[i]];
        for (int strike = 0; strike <= extra && !g.ink.empty(); ++strike) {
            const int left = x + g.left + strike;
            IRect glyphBox {left, baseline - g.top, left + g.width, baseline - g.top + g.rows};
            if (underlined && underlineRow >= glyphBox.top && underlineRow < glyphBox.bottom) {
                const uint8_t* row = &g.ink[size_t(underlineRow - glyphBox.top) * size_t(g.width)];
                for (int px = 0; px < g.width; ++px)
                    if (row[px])
                        gaps.mark(left + px);
            }
            if (!clip.intersects(glyphBox))
                continue;
            for (const IRect& c : clip.rects()) {
                IRect part = c.intersect(glyphBox);
                for (int y = part.top; y < part.bottom; ++y) {
                    const uint8_t* row = &g.ink[size_t(y - glyphBox.top) * size_t(g.width)];
                    for (int px = part.left; px < part.right; ++px) {
                        if (!row[px - glyphBox.left])
                            continue;
                        uint32_t& out = s.at(px, y);
                        out = mode == srcXor ? (out ^ 0xFFFFFF) : mode == srcBic ? paper : ink;
                    }
                }
                if (!part.empty())
                    touched = touched.empty()
                        ? part
                        : IRect {std::min(touched.left, part.left), std::min(touched.top, part.top),
                            std::max(touched.right, part.right), std::max(touched.bottom, part.bottom)};
            }
        }
        x += g.advance + extra;
    }

    if (underlined) {
        Region line = clip.intersect(IRect {penX, underlineRow, penX + width, underlineRow + 1});
        for (const IRect& r : line.rects())
            for (int px = r.left; px < r.right; ++px)
                if (gaps.clear(px))
                    s.at(px, underlineRow) = ink;
        noteChanged(s, line.bounds());
    }
    noteChanged(s, touched);
    recordDrawnText(
        port, std::string(reinterpret_cast<const char*>(bytes), size_t(count)), clip.intersect(box).bounds());
    port->pnLoc.h = SInt16(port->pnLoc.h + width);
}

} // namespace

void TextFont(short font)
{
    currentPort()->txFont = font;
}

void TextSize(short size)
{
    currentPort()->txSize = size;
}

void TextFace(StyleParameter face)
{
    currentPort()->txFace = StyleField(face);
}

void TextMode(short mode)
{
    currentPort()->txMode = mode;
}

void DrawString(ConstStr255Param s)
{
    if (s)
        drawBytes(s + 1, s[0]);
}

void DrawText(const void* textBuf, short firstByte, short byteCount)
{
    if (textBuf && firstByte >= 0)
        drawBytes(static_cast<const unsigned char*>(textBuf) + firstByte, byteCount);
}

void DrawChar(CharParameter ch)
{
    auto c = static_cast<unsigned char>(ch);
    drawBytes(&c, 1);
}

short StringWidth(ConstStr255Param s)
{
    if (!s)
        return 0;
    return short(FontLibrary::instance().width(requestOf(currentPort()), s + 1, s[0]));
}

short TextWidth(const void* textBuf, short firstByte, short byteCount)
{
    if (!textBuf || firstByte < 0 || byteCount <= 0)
        return 0;
    return short(FontLibrary::instance().width(
        requestOf(currentPort()), static_cast<const unsigned char*>(textBuf) + firstByte, byteCount));
}

short CharWidth(CharParameter ch)
{
    return short(FontLibrary::instance().advance(requestOf(currentPort()), static_cast<unsigned char>(ch)));
}

void GetFontInfo(FontInfo* info)
{
    text::Metrics m = FontLibrary::instance().metrics(requestOf(currentPort()));
    *info = FontInfo {SInt16(m.ascent), SInt16(m.descent), SInt16(m.widMax), SInt16(m.leading)};
}

void GetFNum(ConstStr255Param name, short* familyID)
{
    static const struct {
        const char* name;
        short id;
    } kNames[] = {{"Chicago", systemFont}, {"Charcoal", systemFont}, {"New York", kFontIDNewYork},
        {"Geneva", kFontIDGeneva}, {"Monaco", kFontIDMonaco}, {"Venice", kFontIDVenice},
        {"London", kFontIDLondon}, {"Athens", kFontIDAthens}, {"San Francisco", kFontIDSanFrancisco},
        {"Toronto", kFontIDToronto}, {"Cairo", kFontIDCairo}, {"Los Angeles", kFontIDLosAngeles},
        {"Times", kFontIDTimes}, {"Helvetica", kFontIDHelvetica}, {"Courier", kFontIDCourier},
        {"Symbol", kFontIDSymbol}, {"Mobile", kFontIDMobile}};
    if (!familyID)
        return;
    *familyID = 0;
    if (!name)
        return;
    std::string wanted(reinterpret_cast<const char*>(name + 1), name[0]);
    for (const auto& entry : kNames)
        if (wanted == entry.name)
            *familyID = entry.id;
}
