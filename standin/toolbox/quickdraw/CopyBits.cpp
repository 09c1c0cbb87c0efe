// CopyBits between 32-bit pixel images (the screen, offscreen worlds) or from
// a 1-bit BitMap, with nearest-neighbour scaling.
#include "quickdraw/Raster.h"

#include <algorithm>

using namespace toolbox;

namespace {

bool isDirect(const BitMap* bits)
{
    return (bits->rowBytes & 0x8000) != 0;
}

// Reads source pixel (x, y) in the source's own pixel coordinates; 1-bit
// images take the port's colours. Returns false outside the image.
bool readSource(const BitMap* bits, int x, int y, uint32_t fg, uint32_t bg, uint32_t& value, bool& ink)
{
    int w = bits->bounds.right - bits->bounds.left, h = bits->bounds.bottom - bits->bounds.top;
    if (x < 0 || y < 0 || x >= w || y >= h || !bits->baseAddr)
        return false;
    int rowBytes = bits->rowBytes & 0x3FFF;
    if (isDirect(bits)) {
        value = reinterpret_cast<const uint32_t*>(bits->baseAddr + size_t(y) * size_t(rowBytes))[x];
        ink = value != 0xFFFFFF;
        return true;
    }
    auto byte = static_cast<UInt8>(bits->baseAddr[size_t(y) * size_t(rowBytes) + size_t(x / 8)]);
    ink = (byte >> (7 - (x & 7))) & 1;
    value = ink ? fg : bg;
    return true;
}

} // namespace

void CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect, const Rect* dstRect,
    short mode, RgnHandle maskRgn)
{
    if (!srcBits || !dstBits || !srcRect || !dstRect || !isDirect(dstBits) || !dstBits->baseAddr)
        return;
    int sw = srcRect->right - srcRect->left, sh = srcRect->bottom - srcRect->top;
    int dw = dstRect->right - dstRect->left, dh = dstRect->bottom - dstRect->top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;

    GrafPtr port = currentPort();
    Surface dst = surfaceOf(dstBits);
    IRect dstPixels
        = IRect::from(*dstRect).offset(-dstBits->bounds.left, -dstBits->bounds.top).intersect(dst.bounds());
    Region area(dstPixels);
    if (dstBits->baseAddr == port->portBits.baseAddr)
        area = area.intersect(drawingClip(port));
    if (maskRgn) {
        Region mask = regionOf(maskRgn);
        mask.offset(-dstBits->bounds.left, -dstBits->bounds.top);
        area = area.intersect(mask);
    }
    if (area.empty())
        return;

    // Source and destination may be the same pixels: read everything first.
    IRect b = area.bounds();
    int bw = b.right - b.left;
    std::vector<uint32_t> values(size_t(bw) * size_t(b.bottom - b.top));
    std::vector<uint8_t> state(values.size()); // 0 outside the source, 1 paper, 2 ink
    uint32_t fg = pixelOf(port->rgbFgColor), bg = pixelOf(port->rgbBkColor);
    int originX = dstRect->left - dstBits->bounds.left, originY = dstRect->top - dstBits->bounds.top;
    for (int y = b.top; y < b.bottom; ++y) {
        int sy = srcRect->top - srcBits->bounds.top + int((int64_t(y - originY) * sh) / dh);
        for (int x = b.left; x < b.right; ++x) {
            int sx = srcRect->left - srcBits->bounds.left + int((int64_t(x - originX) * sw) / dw);
            size_t i = size_t(y - b.top) * size_t(bw) + size_t(x - b.left);
            bool ink = false;
            if (readSource(srcBits, sx, sy, fg, bg, values[i], ink))
                state[i] = ink ? 2 : 1;
        }
    }

    int transfer = (mode >= patCopy ? mode - patCopy : mode) & 3;
    for (const IRect& r : area.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                size_t i = size_t(y - b.top) * size_t(bw) + size_t(x - b.left);
                if (state[i] == 0)
                    continue;
                uint32_t& out = dst.at(x, y);
                bool ink = state[i] == 2;
                switch (transfer) {
                case srcCopy:
                    out = values[i];
                    break;
                case srcOr:
                    if (ink)
                        out = values[i];
                    break;
                case srcXor:
                    if (ink)
                        out ^= 0xFFFFFF;
                    break;
                case srcBic:
                    if (ink)
                        out = bg;
                    break;
                }
            }
        }
    }
    noteChanged(dst, b);
    if (transfer == srcCopy)
        dropCoveredTexts(dst, area);
}
