// ScrollRect: pixels move inside the rectangle only, the vacated part takes
// the background colour, and the update region names that part.
#include "ScreenFixture.h"

namespace qdtest {
namespace {

struct ScrollCase {
    const char* name;
    short dh, dv;
    const char* expected; // local (0, 0)-(8, 4)
    Rect updateBounds;
};

class Scrolling : public ScreenTest, public ::testing::WithParamInterface<ScrollCase> { };

void paintPixel(short h, short v, const RGBColor& c)
{
    RGBForeColor(&c);
    Rect r {v, h, short(v + 1), short(h + 1)};
    PaintRect(&r);
}

// Before:            scrolled: (1, 0)-(7, 4)
//   ........
//   ..r.....
//   .....b..
//   ........
TEST_P(Scrolling, MovesPixelsAndErasesTheVacatedArea)
{
    paintPixel(2, 1, rgb(0xFFFF, 0, 0));
    paintPixel(5, 2, rgb(0, 0, 0xFFFF));
    RGBColor grey = rgb(0xEEEE, 0xEEEE, 0xEEEE);
    RGBBackColor(&grey);
    MacRegion** update = NewRgn();
    Rect r {0, 1, 4, 7};
    ScrollRect(&r, GetParam().dh, GetParam().dv, update);
    EXPECT_EQ(art(0, 0, 8, 4), GetParam().expected);
    Rect b;
    GetRegionBounds(update, &b);
    EXPECT_EQ(b.left, GetParam().updateBounds.left);
    EXPECT_EQ(b.top, GetParam().updateBounds.top);
    EXPECT_EQ(b.right, GetParam().updateBounds.right);
    EXPECT_EQ(b.bottom, GetParam().updateBounds.bottom);
    // The update region is exactly the erased part.
    for (short v = 0; v < 4; ++v)
        for (short h = 1; h < 7; ++h)
            EXPECT_EQ(PtInRgn(Point {v, h}, update) != 0, pixelAt(h, v) == 0xEEEEEE) << h << "," << v;
    DisposeRgn(update);
}

INSTANTIATE_TEST_SUITE_P(Quickdraw, Scrolling,
    ::testing::Values(ScrollCase {"RightAndDown", 1, 1,
                          ".eeeeee.\n"
                          ".e......\n"
                          ".e.r....\n"
                          ".e....b.\n",
                          Rect {0, 1, 4, 7}},
        ScrollCase {"Up", 0, -1,
            "..r.....\n"
            ".....b..\n"
            "........\n"
            ".eeeeee.\n",
            Rect {3, 1, 4, 7}},
        ScrollCase {"LeftPastTheEdgeDropsPixels", -2, 0,
            ".....ee.\n"
            ".....ee.\n"
            "...b.ee.\n"
            ".....ee.\n",
            Rect {0, 5, 4, 7}},
        ScrollCase {"FurtherThanTheRectangle", 0, 9,
            ".eeeeee.\n"
            ".eeeeee.\n"
            ".eeeeee.\n"
            ".eeeeee.\n",
            Rect {0, 1, 4, 7}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, ScrollRectHonoursTheOrigin)
{
    SetOrigin(100, 100);
    paintPixel(101, 100, rgb(0xFFFF, 0, 0));
    Rect r {100, 100, 102, 104};
    MacRegion** update = NewRgn();
    ScrollRect(&r, 1, 0, update);
    EXPECT_EQ(art(0, 0, 5, 2),
        "..r..\n"
        ".....\n");
    Rect b;
    GetRegionBounds(update, &b);
    EXPECT_EQ(b.left, 100);
    EXPECT_EQ(b.top, 100);
    EXPECT_EQ(b.right, 101);
    EXPECT_EQ(b.bottom, 102);
    DisposeRgn(update);
}

TEST_F(ScreenTest, ScrollRectCarriesOnlyVisiblePixels)
{
    paintPixel(0, 0, rgb(0xFFFF, 0, 0));
    paintPixel(4, 0, rgb(0, 0, 0xFFFF));
    Rect clip {0, 0, 4, 3}; // column 3 and beyond are clipped
    ClipRect(&clip);
    Rect r {0, 0, 1, 6};
    MacRegion** update = NewRgn();
    ScrollRect(&r, 2, 0, update);
    // Columns 0-1 vacated; column 2 received the red pixel; the clipped
    // columns keep what they had.
    EXPECT_EQ(art(0, 0, 6, 1), "..r.b.\n");
    EXPECT_TRUE(PtInRgn(Point {0, 0}, update));
    EXPECT_FALSE(PtInRgn(Point {0, 2}, update));
    EXPECT_FALSE(PtInRgn(Point {0, 4}, update));
    DisposeRgn(update);
}

} // namespace
} // namespace qdtest
