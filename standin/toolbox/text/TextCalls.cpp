// Text in a port: drawn from the pen on the baseline, glyph by glyph, with
// the same whole-pixel advances the width calls report.
#include "quickdraw/Raster.h"
#include "text/FontLibrary.h"

#include <Fonts.h>
#include <Quickdraw.h>

#include <algorithm>
#include <cstring>

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

void drawBytes(const unsigned char* bytes, int count)
{
    GrafPtr port = currentPort();
    if (count <= 0)
        return;
    FontRequest request = requestOf(port);
    FontLibrary& fonts = FontLibrary::instance();
    text::Metrics m = fonts.metrics(request);
    int width = fonts.width(request, bytes, count);

    Surface s = surfaceOf(port);
    Point shift = portShift(port);
    int penX = port->pnLoc.h + shift.h, baseline = port->pnLoc.v + shift.v;
    Region clip = drawingClip(port);
    IRect box {penX, baseline - m.ascent, penX + width, baseline + m.descent};
    uint32_t ink = inkColor(port), paper = pixelOf(port->rgbBkColor);
    short mode = port->txMode;

    if (mode == srcCopy)
        paintArea(port, clip.intersect(box), solidPattern(0), patCopy);

    IRect touched = clip.intersect(box).bounds();
    int x = penX;
    for (int i = 0; i < count; ++i) {
        const text::Glyph& g = fonts.glyph(request, bytes[i]);
        IRect glyphBox {x + g.left, baseline - g.top, x + g.left + g.width, baseline - g.top + g.rows};
        if (!g.ink.empty() && clip.intersects(glyphBox)) {
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
                if (!part.empty()) {
                    IRect b = touched.empty() ? part : touched;
                    touched = IRect {std::min(b.left, part.left), std::min(b.top, part.top),
                        std::max(b.right, part.right), std::max(b.bottom, part.bottom)};
                }
            }
        }
        x += g.advance;
    }

    if ((port->txFace & underline) && width > 0) {
        Region line = clip.intersect(IRect {penX, baseline + 1, penX + width, baseline + 2});
        for (const IRect& r : line.rects())
            for (int y = r.top; y < r.bottom; ++y)
                std::fill(&s.at(r.left, y), &s.at(r.left, y) + (r.right - r.left), ink);
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
    return short(
        FontLibrary::instance().glyph(requestOf(currentPort()), static_cast<unsigned char>(ch)).advance);
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
