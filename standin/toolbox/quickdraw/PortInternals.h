// What QuickDraw's drawing code needs to know about a port beyond its public
// fields: where its pixels are, the bookkeeping the layer keeps for it, and
// the clip every drawing call honours.
#pragma once

#include "quickdraw/DrawnTexts.h"
#include "quickdraw/Region.h"

#include <Quickdraw.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolbox {

struct PortExtras {
    bool hasUpdateClip = false;
    Region updateClip; // in the port's pixel (for the screen: global) coordinates
    std::vector<DrawnText> texts;
    std::vector<uint32_t> offscreen; // a GWorld's own pixels
    PixMap pixMap {};
    PixMapHandle pixMapMaster = nullptr;
    bool isGWorld = false;
};

// The pixels a port draws into.
struct Surface {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // pixels per row
    bool isScreen = false;

    uint32_t& at(int x, int y) const { return pixels[size_t(y) * size_t(stride) + size_t(x)]; }
    IRect bounds() const { return IRect {0, 0, width, height}; }
};

// The current port; the screen port when none has been set.
GrafPtr currentPort();
// Every port that is set up, for dropping drawn texts painted over.
const std::vector<GrafPtr>& livePorts();

Surface surfaceOf(GrafPtr port);
Surface surfaceOf(const BitMap* bits);
// Pixel position = local position + portShift(port).
inline Point portShift(GrafPtr port)
{
    return Point {SInt16(-port->portBits.bounds.top), SInt16(-port->portBits.bounds.left)};
}
// portRect, visRgn, clipRgn and any update clip, intersected, in pixel
// coordinates and limited to the surface.
Region drawingClip(GrafPtr port);
// The same when it is a rectangle, as it nearly always is; else nothing.
std::optional<IRect> rectangularClip(GrafPtr port);

// Notes that text was drawn in port over `bounds` (pixel coordinates,
// already clipped to what shows); replaces entries it covers.
void recordDrawnText(GrafPtr port, std::string text, const IRect& bounds);

// RGBColor to a 0x00RRGGBB pixel and back.
inline uint32_t pixelOf(const RGBColor& c)
{
    return (uint32_t(c.red >> 8) << 16) | (uint32_t(c.green >> 8) << 8) | uint32_t(c.blue >> 8);
}
inline RGBColor colorOf(uint32_t p)
{
    auto widen = [](uint32_t b) { return UInt16((b & 0xFF) * 0x101); };
    return RGBColor {widen(p >> 16), widen(p >> 8), widen(p)};
}

} // namespace toolbox
