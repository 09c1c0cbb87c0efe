// Drawing on the screen for the layer's own parts (desktop, frames, menus)
// through QuickDraw's screen port, limited to a clip region in global
// coordinates. The current port and the screen port's state are restored
// when the painter goes away, so a program's drawing state never changes.
#pragma once

#include <Quickdraw.h>

#include "quickdraw/Region.h"

#include <cstdint>

namespace toolbox {

class ScreenPainter {
public:
    explicit ScreenPainter(const Region& clip);
    ~ScreenPainter();
    ScreenPainter(const ScreenPainter&) = delete;
    ScreenPainter& operator=(const ScreenPainter&) = delete;

    void fill(const IRect& r, uint32_t rgb);
    // A one-pixel frame inside r.
    void frame(const IRect& r, uint32_t rgb);
    void hline(int left, int right, int y, uint32_t rgb) { fill(IRect {left, y, right, y + 1}, rgb); }
    void vline(int x, int top, int bottom, uint32_t rgb) { fill(IRect {x, top, x + 1, bottom}, rgb); }
    // Draws s with its baseline starting at (left, baseline); returns its width.
    int text(int left, int baseline, ConstStr255Param s, uint32_t rgb, short font = 0, short size = 0);
    // An outline inverted on a 50% grey pattern; drawing it twice restores the screen.
    void xorOutline(const IRect& r);

    static int textWidth(ConstStr255Param s, short font = 0, short size = 0);
    // Ascent and descent of the font.
    static FontInfo fontInfo(short font = 0, short size = 0);

private:
    Region clip_;
    GrafPtr savedPort_ = nullptr;
    RgnHandle savedClip_ = nullptr;
    PenState savedPen_ {};
    RGBColor savedFore_ {};
    RGBColor savedBack_ {};
    short savedFont_ = 0;
    short savedSize_ = 0;
    Style savedFace_ = 0;
    short savedMode_ = 0;
};

} // namespace toolbox
