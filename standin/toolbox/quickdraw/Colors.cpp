// Foreground and background colours and the standard patterns.
#include "quickdraw/Raster.h"

using namespace toolbox;

namespace {

RGBColor classicColor(long color)
{
    switch (color) {
    case whiteColor:
        return RGBColor {0xFFFF, 0xFFFF, 0xFFFF};
    case yellowColor:
        return RGBColor {0xFFFF, 0xFFFF, 0};
    case magentaColor:
        return RGBColor {0xFFFF, 0, 0xFFFF};
    case redColor:
        return RGBColor {0xFFFF, 0, 0};
    case cyanColor:
        return RGBColor {0, 0xFFFF, 0xFFFF};
    case greenColor:
        return RGBColor {0, 0xFFFF, 0};
    case blueColor:
        return RGBColor {0, 0, 0xFFFF};
    default:
        return RGBColor {0, 0, 0};
    }
}

Pattern* store(Pattern* out, UInt8 even, UInt8 odd)
{
    for (int i = 0; i < 8; ++i)
        out->pat[i] = (i & 1) ? odd : even;
    return out;
}

} // namespace

void RGBForeColor(const RGBColor* color)
{
    currentPort()->rgbFgColor = *color;
}

void RGBBackColor(const RGBColor* color)
{
    currentPort()->rgbBkColor = *color;
}

void GetForeColor(RGBColor* color)
{
    *color = currentPort()->rgbFgColor;
}

void GetBackColor(RGBColor* color)
{
    *color = currentPort()->rgbBkColor;
}

void ForeColor(long color)
{
    currentPort()->rgbFgColor = classicColor(color);
}

void BackColor(long color)
{
    currentPort()->rgbBkColor = classicColor(color);
}

void BackPat(const Pattern* pat)
{
    if (pat)
        currentPort()->bkPat = *pat;
}

void GetCPixel(short h, short v, RGBColor* cPix)
{
    GrafPtr port = currentPort();
    Surface s = surfaceOf(port);
    Point shift = portShift(port);
    int x = h + shift.h, y = v + shift.v;
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) {
        *cPix = RGBColor {0xFFFF, 0xFFFF, 0xFFFF};
        return;
    }
    *cPix = colorOf(s.at(x, y));
}

Pattern* GetQDGlobalsBlack(Pattern* black)
{
    return store(black, 0xFF, 0xFF);
}

Pattern* GetQDGlobalsWhite(Pattern* white)
{
    return store(white, 0x00, 0x00);
}

Pattern* GetQDGlobalsGray(Pattern* gray)
{
    return store(gray, 0xAA, 0x55);
}

Pattern* GetQDGlobalsLightGray(Pattern* ltGray)
{
    return store(ltGray, 0x88, 0x22);
}

Pattern* GetQDGlobalsDarkGray(Pattern* dkGray)
{
    return store(dkGray, 0x77, 0xDD);
}
