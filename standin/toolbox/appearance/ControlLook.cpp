#include "appearance/ControlLook.h"

#include <algorithm>

namespace toolbox {

namespace {

const RGBColor kBlack = {0, 0, 0};
const RGBColor kWhite = {0xFFFF, 0xFFFF, 0xFFFF};
const RGBColor kFace = {0xDDDD, 0xDDDD, 0xDDDD};
const RGBColor kPressedFace = {0x5555, 0x5555, 0x5555};
const RGBColor kBevelDark = {0x9999, 0x9999, 0x9999};
const RGBColor kPressedBevelDark = {0x3333, 0x3333, 0x3333};
const RGBColor kPressedBevelLight = {0x7777, 0x7777, 0x7777};
const RGBColor kPressedBox = {0xAAAA, 0xAAAA, 0xAAAA};
const RGBColor kDimmed = {0x8888, 0x8888, 0x8888};
const RGBColor kDimmedBox = {0xEEEE, 0xEEEE, 0xEEEE};

const RGBColor& ink(ControlLookState s)
{
    return s.dimmed ? kDimmed : kBlack;
}

void line(short x1, short y1, short x2, short y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void drawText(const std::string& text, short x, short y)
{
    MoveTo(x, y);
    DrawText(text.data(), 0, static_cast<short>(text.size()));
}

short width(const std::string& text)
{
    return TextWidth(text.data(), 0, static_cast<short>(text.size()));
}

// The 12x12 square of a check box or radio button, centred on the rectangle's height.
Rect markerBox(const Rect& r)
{
    Rect box;
    const short top = static_cast<short>(r.top + (r.bottom - r.top - 12) / 2);
    SetRect(&box, r.left, top, static_cast<short>(r.left + 12), static_cast<short>(top + 12));
    return box;
}

void drawMarkerTitle(const Rect& r, const Rect& box, const std::string& title, ControlLookState state)
{
    RGBForeColor(&ink(state));
    drawText(title, static_cast<short>(box.right + 4), centredBaseline(r));
}

} // namespace

short centredBaseline(const Rect& r)
{
    FontInfo fi;
    GetFontInfo(&fi);
    const int textHeight = fi.ascent + fi.descent;
    return static_cast<short>(r.top + (r.bottom - r.top - textHeight + 1) / 2 + fi.ascent);
}

std::string fitText(const std::string& text, int maxWidth)
{
    if (width(text) <= maxWidth)
        return text;
    const std::string ellipsis = "\xC9";
    std::string s = text;
    while (!s.empty() && width(s + ellipsis) > maxWidth)
        s.pop_back();
    return s + ellipsis;
}

void drawPushButton(const Rect& r, const std::string& title, ControlLookState state)
{
    EraseRect(&r);
    const bool pressed = state.pressed && !state.dimmed;
    RGBForeColor(pressed ? &kPressedFace : &kFace);
    PaintRoundRect(&r, 8, 8);
    // Bevels: light above and to the left, dark below and to the right.
    RGBForeColor(pressed ? &kPressedBevelDark : &kWhite);
    line(r.left + 3, r.top + 1, r.right - 4, r.top + 1);
    line(r.left + 1, r.top + 3, r.left + 1, r.bottom - 4);
    RGBForeColor(pressed ? &kPressedBevelLight : &kBevelDark);
    line(r.left + 3, r.bottom - 2, r.right - 4, r.bottom - 2);
    line(r.right - 2, r.top + 3, r.right - 2, r.bottom - 4);
    RGBForeColor(&ink(state));
    FrameRoundRect(&r, 8, 8);
    RGBForeColor(pressed ? &kWhite : &ink(state));
    const short x = static_cast<short>(r.left + (r.right - r.left - width(title)) / 2);
    drawText(title, x, centredBaseline(r));
}

void drawCheckBox(const Rect& r, const std::string& title, int value, ControlLookState state)
{
    EraseRect(&r);
    const Rect box = markerBox(r);
    Rect inside = box;
    InsetRect(&inside, 1, 1);
    RGBForeColor(state.pressed ? &kPressedBox : state.dimmed ? &kDimmedBox : &kWhite);
    PaintRect(&inside);
    RGBForeColor(&ink(state));
    FrameRect(&box);
    if (state.pressed)
        FrameRect(&inside);
    if (value == 1) {
        // A check mark two pixels thick, from the lower left up to the upper right.
        for (short d = 0; d < 2; ++d) {
            line(box.left + 2, box.top + 5 + d, box.left + 4, box.top + 7 + d);
            line(box.left + 5, box.top + 6 + d, box.left + 9, box.top + 2 + d);
        }
    } else if (value == 2) {
        Rect dash;
        SetRect(&dash, box.left + 3, box.top + 5, box.right - 3, box.top + 7);
        PaintRect(&dash);
    }
    drawMarkerTitle(r, box, title, state);
}

void drawRadioButton(const Rect& r, const std::string& title, int value, ControlLookState state)
{
    EraseRect(&r);
    const Rect box = markerBox(r);
    RGBForeColor(state.pressed ? &kPressedBox : state.dimmed ? &kDimmedBox : &kWhite);
    PaintOval(&box);
    RGBForeColor(&ink(state));
    FrameOval(&box);
    if (state.pressed) {
        Rect inside = box;
        InsetRect(&inside, 1, 1);
        FrameOval(&inside);
    }
    if (value != 0) {
        Rect dot = box;
        InsetRect(&dot, 3, 3);
        PaintOval(&dot);
    }
    drawMarkerTitle(r, box, title, state);
}

void drawPopup(const Rect& r, int titleWidth, const std::string& title, const std::string& itemText,
    ControlLookState state)
{
    EraseRect(&r);
    const short baseline = centredBaseline(r);
    if (titleWidth > 0) {
        RGBForeColor(&ink(state));
        drawText(fitText(title, titleWidth - 2), r.left, baseline);
    }
    // The box leaves one pixel at the right and bottom for its shadow.
    Rect frame;
    SetRect(&frame, static_cast<short>(r.left + titleWidth), r.top, r.right - 1, r.bottom - 1);
    Rect inside = frame;
    InsetRect(&inside, 1, 1);
    const bool pressed = state.pressed && !state.dimmed;
    RGBForeColor(pressed ? &kBlack : &kWhite);
    PaintRect(&inside);
    RGBForeColor(&ink(state));
    FrameRect(&frame);
    line(frame.left + 2, frame.bottom, frame.right, frame.bottom);
    line(frame.right, frame.top + 2, frame.right, frame.bottom);

    // A down arrow seven pixels wide at the right.
    RGBForeColor(pressed ? &kWhite : &ink(state));
    const short arrowLeft = static_cast<short>(frame.right - 12);
    const short arrowTop = static_cast<short>(frame.top + (frame.bottom - frame.top - 4) / 2);
    for (short row = 0; row < 4; ++row)
        line(arrowLeft + row, arrowTop + row, arrowLeft + 6 - row, arrowTop + row);

    const int room = arrowLeft - 4 - (frame.left + 4);
    drawText(fitText(itemText, std::max(room, 0)), static_cast<short>(frame.left + 4), baseline);
}

void drawDefaultRing(const Rect& buttonRect, bool dimmed)
{
    Rect ring = buttonRect;
    InsetRect(&ring, -4, -4);
    RGBForeColor(dimmed ? &kDimmed : &kBlack);
    PenSize(3, 3);
    FrameRoundRect(&ring, 16, 16);
    PenSize(1, 1);
}

} // namespace toolbox
