#include <framework/PTitleFrame.h>

#include <support/UtilityFunctions.h>

#include <Fonts.h>
#include <Quickdraw.h>

namespace {

constexpr short kLineSpacing = 12;
constexpr short kTextSize = 9;

const RGBColor kGrooveShadow = {0x6000, 0x6000, 0x6000};
const RGBColor kGrooveLight = {0xDEF7, 0xDEF7, 0xDEF7};

} // namespace

PTitleFrame::OwnedString PTitleFrame::copyOf(const unsigned char* text)
{
    OwnedString copy(new unsigned char[pstrlen(text) + 1]);
    pstrcpy(copy.get(), text);
    return copy;
}

PTitleFrame::PTitleFrame(short x1, short y1, short x2, short y2, const unsigned char* title)
    : myRect {y1, x1, y2, x2}
    , titleWidth(0)
    , myTitle(copyOf(title))
    , numLines(0)
    , bottomLine(0)
{
    TextFont(kFontIDGeneva);
    TextSize(kTextSize);
    TextFace(bold);
    titleWidth = static_cast<unsigned long>(StringWidth(myTitle.get()));
    TextFace(normal);

    // A frame lower than the margins holds no line rather than a huge count.
    const long usable = static_cast<long>(y2) - y1 - 3;
    numLines = usable > 0 ? static_cast<unsigned long>(usable / kLineSpacing) : 0;
    myText.resize(numLines);
}

PTitleFrame::~PTitleFrame() = default;

void PTitleFrame::draw()
{
    Rect titleBox;
    titleBox.top = static_cast<short>(myRect.top - 4);
    titleBox.left = static_cast<short>(myRect.left + 10);
    titleBox.bottom = static_cast<short>(myRect.top + 5);
    titleBox.right = static_cast<short>(myRect.left + titleWidth + 13);

    RGBColor savedFore;
    GetForeColor(&savedFore);
    RGBForeColor(&kGrooveShadow);
    PenSize(2, 2);
    FrameRect(&myRect);
    RGBForeColor(&kGrooveLight);
    PenSize(1, 1);
    Rect inner = myRect;
    inner.top += 1;
    inner.left += 1;
    FrameRect(&inner);
    RGBForeColor(&savedFore);

    EraseRect(&titleBox);
    TextFont(kFontIDGeneva);
    TextSize(kTextSize);
    TextFace(bold);
    MoveTo(static_cast<short>(titleBox.left + 2), static_cast<short>(titleBox.bottom - 2));
    DrawString(myTitle.get());
    TextFace(normal);

    drawLines();
}

void PTitleFrame::drawText(const unsigned char* text)
{
    if (numLines == 0)
        return;
    if (bottomLine < numLines) {
        myText[bottomLine++] = copyOf(text);
    } else {
        for (unsigned long i = 0; i + 1 < numLines; ++i)
            myText[i] = std::move(myText[i + 1]);
        myText[numLines - 1] = copyOf(text);

        Rect textArea;
        textArea.top = static_cast<short>(myRect.top + 5);
        textArea.left = static_cast<short>(myRect.left + 3);
        textArea.bottom = static_cast<short>(myRect.bottom - 2);
        textArea.right = static_cast<short>(myRect.right - 3);
        RgnHandle vacated = NewRgn();
        ScrollRect(&textArea, 0, -kLineSpacing, vacated);
        DisposeRgn(vacated);
    }
    drawLines();
}

void PTitleFrame::drawLines()
{
    TextFont(kFontIDGeneva);
    TextSize(kTextSize);
    TextFace(normal);
    for (unsigned long i = 0; i < bottomLine; ++i) {
        MoveTo(static_cast<short>(myRect.left + 3), static_cast<short>(myRect.top + 14 + kLineSpacing * i));
        DrawString(myText[i].get());
    }
}
