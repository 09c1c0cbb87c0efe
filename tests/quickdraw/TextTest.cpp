// Text from the System file's bitmap fonts: baselines, widths that agree with
// the drawn pixels, QuickDraw's bold and underline, and the font metrics
// layout depends on.
#include "ScreenFixture.h"
#include "testkit/PString.h"

#include <Fonts.h>

#include <cstring>

namespace qdtest {
namespace {

struct InkBounds {
    int left = 1000, top = 1000, right = -1, bottom = -1; // inclusive
};

InkBounds inkIn(const ScreenTest& t, int left, int top, int right, int bottom)
{
    InkBounds b;
    for (int v = top; v < bottom; ++v)
        for (int h = left; h < right; ++h)
            if (t.pixelAt(h, v) != 0xFFFFFF) {
                b.left = std::min(b.left, h);
                b.right = std::max(b.right, h);
                b.top = std::min(b.top, v);
                b.bottom = std::max(b.bottom, v);
            }
    return b;
}

class Text : public ScreenTest {
protected:
    InkBounds ink() const { return inkIn(*this, 0, 0, 60, 40); }
};

struct WidthCase {
    short font, size;
    Style face;
    const char* text;
    short width;
};

class TextWidths : public ScreenTest, public ::testing::WithParamInterface<WidthCase> { };

TEST_P(TextWidths, AreTheWidthTablesAdvances)
{
    const WidthCase& c = GetParam();
    TextFont(c.font);
    TextSize(c.size);
    TextFace(c.face);
    unsigned char s[256];
    s[0] = static_cast<unsigned char>(std::strlen(c.text));
    std::memcpy(s + 1, c.text, s[0]);
    EXPECT_EQ(StringWidth(s), c.width);
    EXPECT_EQ(TextWidth(c.text, 0, short(s[0])), c.width);
}

INSTANTIATE_TEST_SUITE_P(Quickdraw, TextWidths,
    ::testing::Values(WidthCase {kFontIDGeneva, 9, normal, "Processor version number:", 109},
        WidthCase {kFontIDGeneva, 9, normal, "Enable L2 cache  Write-through  1 MB", 155},
        WidthCase {applFont, 9, normal, "Processor version number:", 109},
        WidthCase {kFontIDGeneva, 9, bold, "Tarnwick", 37 + 8}, WidthCase {systemFont, 0, normal, "OK", 15},
        WidthCase {systemFont, 12, bold, "OK", 15 + 2}, WidthCase {kFontIDGeneva, 9, normal, "", 0}));

TEST_F(Text, DrawStringStandsOnTheBaselineAndSpansItsWidth)
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    FontInfo info;
    GetFontInfo(&info);
    EXPECT_EQ(info.ascent, 9);
    EXPECT_EQ(info.descent, 3);
    EXPECT_EQ(info.ascent + info.descent + info.leading, 12);
    const struct {
        const char* text;
        int top, bottom; // of the ink, drawn at baseline 20; -1: not checked
    } kCases[] = {
        {"CACHE", 20 - 7, 19}, // cap height 7; the lowest ink just above the baseline
        {"bl", 20 - 8, 19}, // ascenders rise above the capitals
        {"gyp", -1, 21}, // descenders hang below
    };
    for (const auto& c : kCases) {
        EraseRect(&port.portRect);
        MoveTo(5, 20);
        DrawString(testkit::pstr(c.text).c_str());
        const short width = StringWidth(testkit::pstr(c.text).c_str());
        InkBounds b = ink();
        if (c.top >= 0) {
            EXPECT_EQ(b.top, c.top) << c.text;
        }
        EXPECT_EQ(b.bottom, c.bottom) << c.text;
        EXPECT_GE(b.left, 5);
        EXPECT_LE(b.left, 6);
        EXPECT_LT(b.right, 5 + width);
        EXPECT_GE(b.right, 5 + width - 3);
        Point pen;
        GetPen(&pen);
        EXPECT_EQ(pen.h, 5 + width);
        EXPECT_EQ(pen.v, 20);
    }
}

// The underline is one row below the baseline across the width, except a
// pixel either side of a descender (U is 5 wide: the stem of p is at 3 + 5).
TEST_F(Text, UnderlineIsOneRowBelowTheBaselineAndStopsShortOfDescenders)
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    TextFace(underline);
    MoveTo(3, 15);
    DrawString(PSTR("Up"));
    const short width = StringWidth(PSTR("Up"));
    for (int h = 0; h < 60; ++h) {
        const bool under = h >= 3 && h < 3 + width && h != 3 + 5 - 1 && h != 3 + 5 + 1;
        EXPECT_EQ(pixelAt(h, 16), under ? 0x000000u : 0xFFFFFFu) << h;
    }
}

TEST_F(Text, BoldStrikesEachGlyphTwiceAPixelApart)
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    MoveTo(5, 20);
    DrawString(PSTR("l"));
    EXPECT_EQ(ink().left, 5);
    EXPECT_EQ(ink().right, 5);
    TextFace(bold);
    MoveTo(25, 20);
    DrawString(PSTR("l"));
    InkBounds b = inkIn(*this, 20, 0, 60, 40);
    EXPECT_EQ(b.left, 25);
    EXPECT_EQ(b.right, 26);
    EXPECT_EQ(CharWidth('l'), 2 + 1);

    TextFont(systemFont);
    TextSize(0);
    TextFace(normal);
    FontInfo info;
    GetFontInfo(&info);
    EXPECT_EQ(info.ascent, 12);
    EXPECT_EQ(info.ascent + info.descent, 15);
}

TEST_F(Text, ForeColourGreysTheText)
{
    RGBColor grey = rgb(0x8080, 0x8080, 0x8080);
    RGBForeColor(&grey);
    TextFont(kFontIDGeneva);
    TextSize(9);
    MoveTo(2, 12);
    DrawString(PSTR("Off"));
    int greyPixels = 0;
    for (int v = 0; v < 20; ++v)
        for (int h = 0; h < 30; ++h) {
            uint32_t p = pixelAt(h, v);
            EXPECT_TRUE(p == 0xFFFFFF || p == 0x808080) << h << "," << v;
            greyPixels += p == 0x808080;
        }
    EXPECT_GT(greyPixels, 10);
}

TEST_F(Text, TextIsClippedLikeAnyDrawing)
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    Rect clip {0, 0, 40, 8};
    ClipRect(&clip);
    MoveTo(2, 12);
    DrawString(PSTR("Hidden beyond eight"));
    EXPECT_LE(ink().right, 7);
}

TEST_F(Text, ACharacterTheFontLacksDrawsTheMissingGlyph)
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    EXPECT_EQ(CharWidth(0xA9), 8); // the copyright sign is in the font
    EXPECT_EQ(CharWidth(0xB5), 6); // the micro sign is not: the missing glyph's box
    MoveTo(2, 12);
    DrawChar(0xB5);
    InkBounds b = ink();
    EXPECT_EQ(b.left, 2);
    EXPECT_EQ(b.right, 6);
    EXPECT_EQ(b.top, 12 - 7);
    EXPECT_EQ(b.bottom, 11);
}

} // namespace
} // namespace qdtest
