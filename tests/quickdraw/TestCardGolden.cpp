// One golden image of everything QuickDraw draws for the application:
// both fonts, faces, frames with pen sizes, rounded and oval shapes, a
// scrolled area, a picture and a colour icon.
#include "ResourceBytes.h"
#include "ScreenFixture.h"

#include "golden/Golden.h"
#include "quickdraw/PictureData.h"

#include <Fonts.h>

namespace qdtest {
namespace {

CIconHandle triangleIcon()
{
    // 8x8, 1 bit a pixel: a black right-pointing triangle, masked to its shape.
    const uint8_t rows[8] = {0x80, 0xC0, 0xE0, 0xF0, 0xF0, 0xE0, 0xC0, 0x80};
    Bytes b;
    b.u32(0).u16(0x8000 | 2).rect(0, 0, 8, 8).pixMapFields(0, 1, 1, 1);
    b.u32(0).u16(2).rect(0, 0, 8, 8);
    b.u32(0).u16(2).rect(0, 0, 8, 8);
    b.u32(0);
    for (uint8_t r : rows)
        b.u8(r).u8(0); // mask
    for (uint8_t r : rows)
        b.u8(r).u8(0); // one-bit image
    b.colorTable({{0xFFFF, 0xFFFF, 0xFFFF}, {0x3333, 0x3333, 0x9999}});
    for (uint8_t r : rows)
        b.u8(r).u8(0); // pixels
    return toolbox::cIconFromBytes(b.data.data(), b.data.size());
}

PicHandle stripesPicture()
{
    Bytes b;
    b.u16(0).rect(0, 0, 4, 8).u16(0x0011).u16(0x02FF);
    b.u16(0x0C00).u16(0xFFFE).u16(0).u32(0x00480000).u32(0x00480000).rect(0, 0, 4, 8).u32(0);
    b.u16(0x0098).u16(0x8000 | 8).rect(0, 0, 4, 8).pixMapFields(0, 8, 1, 8);
    b.colorTable({{0xFFFF, 0xCCCC, 0x0000}, {0x0000, 0x6666, 0xCCCC}});
    b.rect(0, 0, 4, 8).rect(0, 0, 4, 8).u16(srcCopy);
    for (int row = 0; row < 4; ++row)
        b.raw({9, 0x07, 0, 1, 0, 1, 0, 1, 0, 1});
    b.align().u16(0x00FF);
    return toolbox::pictureFromBytes(b.data.data(), b.data.size());
}

void drawText(short h, short v, ConstStr255Param s)
{
    MoveTo(h, v);
    DrawString(s);
}

// The card fills the fixture's port (60x40 is too small, so it is widened).
TEST_F(ScreenTest, TestCardMatchesItsGolden)
{
    toolbox::resizePort(&port, 240, 150);
    RGBColor pane {0xEEEE, 0xEEEE, 0xEEEE};
    RGBBackColor(&pane);
    Rect all {0, 0, 150, 240};
    EraseRect(&all);

    // Frames: pen 1, pen 2x1, pen 3, a rounded button, a radio circle.
    Rect f {4, 4, 24, 44};
    FrameRect(&f);
    OffsetRect(&f, 44, 0);
    PenSize(2, 1);
    FrameRect(&f);
    OffsetRect(&f, 44, 0);
    PenSize(3, 3);
    FrameRect(&f);
    PenNormal();
    Rect button {4, 140, 24, 200};
    FrameRoundRect(&button, 8, 8);
    Rect radio {6, 208, 18, 220};
    FrameOval(&radio);
    Rect dot {9, 211, 15, 217};
    PaintOval(&dot);

    // Text: Geneva 9 labels and values, bold, underlined, grey; system font.
    TextFont(kFontIDGeneva);
    TextSize(9);
    drawText(8, 40, PSTR("Processor version number:"));
    drawText(150, 40, PSTR("0x00088302"));
    TextFace(bold);
    drawText(8, 52, PSTR("Backside Cache"));
    TextFace(underline);
    drawText(8, 64, PSTR("www.example.com"));
    TextFace(normal);
    RGBColor grey {0x8888, 0x8888, 0x8888};
    RGBForeColor(&grey);
    drawText(150, 52, PSTR("Disabled"));
    RGBColor black {0, 0, 0};
    RGBForeColor(&black);
    drawText(150, 64, PSTR("\xA9 1999-2002 \xB5s"));
    TextFont(systemFont);
    TextSize(0);
    short w = StringWidth(PSTR("OK"));
    drawText(short(170 - w / 2), 19, PSTR("OK"));
    drawText(8, 84, PSTR("Tarnwick X"));

    // A line of lines.
    MoveTo(8, 92);
    LineTo(232, 92);
    PenSize(2, 2);
    MoveTo(8, 96);
    LineTo(60, 120);
    PenNormal();

    // Picture scaled 4x, icon at its size and doubled.
    PicHandle pic = stripesPicture();
    Rect picRect {100, 100, 116, 132};
    DrawPicture(pic, &picRect);
    KillPicture(pic);
    CIconHandle icon = triangleIcon();
    Rect iconRect {100, 150, 108, 158};
    PlotCIcon(&iconRect, icon);
    Rect bigIcon {100, 170, 116, 186};
    PlotCIcon(&bigIcon, icon);
    DisposeCIcon(icon);

    // A scrolled band: the text moves up 6 pixels, the gap takes the pane grey.
    TextFont(kFontIDGeneva);
    TextSize(9);
    drawText(8, 140, PSTR("Scrolled line"));
    RgnHandle update = NewRgn();
    Rect band {124, 4, 146, 120};
    ScrollRect(&band, 0, -6, update);
    DisposeRgn(update);

    golden::expectMatchesGolden(
        golden::screenImage(kPortLeft, kPortTop, kPortLeft + 240, kPortTop + 150), "quickdraw/test-card");
}

} // namespace
} // namespace qdtest
