#include "appearance/ScreenPainter.h"

#include "quickdraw/Framebuffer.h"
#include "quickdraw/Ports.h"

namespace toolbox {

namespace {

RGBColor rgbOf(uint32_t p)
{
    auto widen = [](uint32_t b) { return UInt16((b & 0xFF) * 0x101); };
    return RGBColor {widen(p >> 16), widen(p >> 8), widen(p)};
}

// Measuring needs a port with the font set; the screen port serves, and is
// left as it was.
class FontScope {
public:
    FontScope(short font, short size)
    {
        GetPort(&savedPort_);
        SetPort(screenPort());
        CGrafPtr port = screenPort();
        savedFont_ = port->txFont;
        savedSize_ = port->txSize;
        savedFace_ = port->txFace;
        TextFont(font);
        TextSize(size);
        TextFace(normal);
    }
    ~FontScope()
    {
        TextFont(savedFont_);
        TextSize(savedSize_);
        TextFace(savedFace_);
        SetPort(savedPort_);
    }

private:
    GrafPtr savedPort_ = nullptr;
    short savedFont_, savedSize_;
    Style savedFace_;
};

} // namespace

ScreenPainter::ScreenPainter(const Region& clip)
    : clip_(clip)
{
    GetPort(&savedPort_);
    CGrafPtr port = screenPort();
    SetPort(port);
    savedClip_ = NewRgn();
    GetClip(savedClip_);
    GetPenState(&savedPen_);
    GetForeColor(&savedFore_);
    GetBackColor(&savedBack_);
    savedFont_ = port->txFont;
    savedSize_ = port->txSize;
    savedFace_ = port->txFace;
    savedMode_ = port->txMode;

    RgnHandle clipRgn = NewRgn();
    regionOf(clipRgn) = clip;
    SetClip(clipRgn);
    DisposeRgn(clipRgn);
    PenNormal();
    TextFace(normal);
    TextMode(srcOr);
}

ScreenPainter::~ScreenPainter()
{
    SetClip(savedClip_);
    DisposeRgn(savedClip_);
    SetPenState(&savedPen_);
    RGBForeColor(&savedFore_);
    RGBBackColor(&savedBack_);
    TextFont(savedFont_);
    TextSize(savedSize_);
    TextFace(savedFace_);
    TextMode(savedMode_);
    SetPort(savedPort_);
}

void ScreenPainter::fill(const IRect& r, uint32_t rgb)
{
    if (r.empty())
        return;
    RGBColor c = rgbOf(rgb);
    RGBForeColor(&c);
    Rect qr = r.toRect();
    PaintRect(&qr);
}

void ScreenPainter::frame(const IRect& r, uint32_t rgb)
{
    if (r.empty())
        return;
    hline(r.left, r.right, r.top, rgb);
    hline(r.left, r.right, r.bottom - 1, rgb);
    vline(r.left, r.top, r.bottom, rgb);
    vline(r.right - 1, r.top, r.bottom, rgb);
}

int ScreenPainter::text(int left, int baseline, ConstStr255Param s, uint32_t rgb, short font, short size)
{
    RGBColor c = rgbOf(rgb);
    RGBForeColor(&c);
    TextFont(font);
    TextSize(size);
    MoveTo(short(left), short(baseline));
    DrawString(s);
    return StringWidth(s);
}

void ScreenPainter::xorOutline(const IRect& r)
{
    // Straight into the pixels: exactly reversible, and it covers nothing
    // QuickDraw keeps track of.
    Framebuffer& fb = screen();
    auto flip = [&](int x, int y) {
        if (((x + y) & 1) == 0 && clip_.contains(x, y) && x >= 0 && y >= 0 && x < fb.width()
            && y < fb.height())
            fb.pixels()[size_t(y) * size_t(fb.stride()) + size_t(x)] ^= 0xFFFFFF;
    };
    for (int x = r.left; x < r.right; ++x) {
        flip(x, r.top);
        flip(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        flip(r.left, y);
        flip(r.right - 1, y);
    }
    fb.markDirty(r.toRect());
}

int ScreenPainter::textWidth(ConstStr255Param s, short font, short size)
{
    FontScope scope(font, size);
    return StringWidth(s);
}

FontInfo ScreenPainter::fontInfo(short font, short size)
{
    FontScope scope(font, size);
    FontInfo info {};
    GetFontInfo(&info);
    return info;
}

} // namespace toolbox
