// Frames, lines, paints, erases and inversions, pixel for pixel.
#include "ScreenFixture.h"

#include <functional>

namespace qdtest {
namespace {

struct ShapeCase {
    const char* name;
    std::function<void()> draw;
    const char* expected; // the local area (0, 0)-(8, 7)
};

class Shapes : public ScreenTest, public ::testing::WithParamInterface<ShapeCase> { };

TEST_P(Shapes, DrawExactlyTheseBits)
{
    GetParam().draw();
    EXPECT_EQ(art(0, 0, 8, 7), GetParam().expected);
}

const Rect kRect {1, 1, 6, 7}; // top 1, left 1, bottom 6, right 7: 6 wide, 5 high

INSTANTIATE_TEST_SUITE_P(Quickdraw, Shapes,
    ::testing::Values(ShapeCase {"FrameRectPen1x1", [] { FrameRect(&kRect); },
                          "........\n"
                          ".######.\n"
                          ".#....#.\n"
                          ".#....#.\n"
                          ".#....#.\n"
                          ".######.\n"
                          "........\n"},
        ShapeCase {"FrameRectPen2x1",
            [] {
                PenSize(2, 1);
                FrameRect(&kRect);
            },
            "........\n"
            ".######.\n"
            ".##..##.\n"
            ".##..##.\n"
            ".##..##.\n"
            ".######.\n"
            "........\n"},
        ShapeCase {"FrameRectPen1x2",
            [] {
                PenSize(1, 2);
                FrameRect(&kRect);
            },
            "........\n"
            ".######.\n"
            ".######.\n"
            ".#....#.\n"
            ".######.\n"
            ".######.\n"
            "........\n"},
        ShapeCase {"FrameRectPenWiderThanHalfFillsIt",
            [] {
                PenSize(4, 4);
                FrameRect(&kRect);
            },
            "........\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            "........\n"},
        ShapeCase {"FrameRectZeroPenDrawsNothing",
            [] {
                PenSize(0, 1);
                FrameRect(&kRect);
            },
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"},
        ShapeCase {"LineToHorizontalIncludesBothEnds",
            [] {
                MoveTo(1, 1);
                LineTo(5, 1);
            },
            "........\n"
            ".#####..\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"},
        ShapeCase {"LineToPenHangsRightAndBelow",
            [] {
                PenSize(2, 2);
                MoveTo(1, 1);
                LineTo(5, 1);
            },
            "........\n"
            ".######.\n"
            ".######.\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"},
        ShapeCase {"LineToUpwards",
            [] {
                PenSize(2, 1);
                MoveTo(2, 5);
                LineTo(2, 2);
            },
            "........\n"
            "........\n"
            "..##....\n"
            "..##....\n"
            "..##....\n"
            "..##....\n"
            "........\n"},
        ShapeCase {"LineDiagonal",
            [] {
                MoveTo(1, 1);
                Line(4, 4);
            },
            "........\n"
            ".#......\n"
            "..#.....\n"
            "...#....\n"
            "....#...\n"
            ".....#..\n"
            "........\n"},
        ShapeCase {"PaintRectForeColourExclusiveEdges",
            [] {
                RGBColor red = rgb(0xFFFF, 0, 0);
                RGBForeColor(&red);
                PaintRect(&kRect);
            },
            "........\n"
            ".rrrrrr.\n"
            ".rrrrrr.\n"
            ".rrrrrr.\n"
            ".rrrrrr.\n"
            ".rrrrrr.\n"
            "........\n"},
        ShapeCase {"EraseRectBackColour",
            [] {
                RGBColor grey = rgb(0xEEEE, 0xEEEE, 0xEEEE);
                RGBBackColor(&grey);
                Rect r {2, 0, 4, 3};
                EraseRect(&r);
            },
            "........\n"
            "........\n"
            "eee.....\n"
            "eee.....\n"
            "........\n"
            "........\n"
            "........\n"},
        ShapeCase {"InvertRectOverAFrame",
            [] {
                FrameRect(&kRect);
                Rect r {0, 0, 3, 4};
                InvertRect(&r);
            },
            "####....\n"
            "#...###.\n"
            "#.##..#.\n"
            ".#....#.\n"
            ".#....#.\n"
            ".######.\n"
            "........\n"},
        ShapeCase {"FillRectWithGrayPattern",
            [] {
                Pattern gray;
                GetQDGlobalsGray(&gray);
                Rect r {0, 0, 4, 8};
                FillRect(&r, &gray);
            },
            "#.#.#.#.\n"
            ".#.#.#.#\n"
            "#.#.#.#.\n"
            ".#.#.#.#\n"
            "........\n"
            "........\n"
            "........\n"},
        ShapeCase {"PaintOval",
            [] {
                Rect r {0, 0, 6, 6};
                PaintOval(&r);
            },
            ".####...\n"
            "######..\n"
            "######..\n"
            "######..\n"
            "######..\n"
            ".####...\n"
            "........\n"},
        ShapeCase {"FrameRoundRect",
            [] {
                Rect r {0, 0, 7, 8};
                FrameRoundRect(&r, 4, 4);
            },
            ".######.\n"
            "#......#\n"
            "#......#\n"
            "#......#\n"
            "#......#\n"
            "#......#\n"
            ".######.\n"},
        ShapeCase {"HiddenPenDrawsNoFrame",
            [] {
                HidePen();
                FrameRect(&kRect);
                ShowPen();
                MoveTo(0, 0);
                LineTo(2, 0);
            },
            "###.....\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, LineToLeavesThePenAtTheEndPoint)
{
    PenSize(3, 3);
    MoveTo(4, 9);
    LineTo(20, 2);
    Point pen;
    GetPen(&pen);
    EXPECT_EQ(pen.h, 20);
    EXPECT_EQ(pen.v, 2);
}

TEST_F(ScreenTest, DrawingStopsAtThePortRectangle)
{
    Rect everything {-50, -50, 200, 200};
    PaintRect(&everything);
    EXPECT_EQ(toolbox::screen().pixel(199, 100), 0xFFFFFFu);
    EXPECT_EQ(toolbox::screen().pixel(200, 99), 0xFFFFFFu);
    EXPECT_EQ(toolbox::screen().pixel(200, 100), 0x000000u);
    EXPECT_EQ(toolbox::screen().pixel(259, 139), 0x000000u);
    EXPECT_EQ(toolbox::screen().pixel(260, 139), 0xFFFFFFu);
    EXPECT_EQ(toolbox::screen().pixel(259, 140), 0xFFFFFFu);
}

TEST_F(ScreenTest, DrawingMarksExactlyWhatItTouched)
{
    Rect a {1, 1, 3, 4};
    PaintRect(&a);
    Rect b {30, 40, 35, 50};
    FrameRect(&b);
    std::vector<Rect> dirty = toolbox::screen().takeDirty();
    ASSERT_EQ(dirty.size(), 2u);
    EXPECT_EQ(dirty[0].left, 201);
    EXPECT_EQ(dirty[0].top, 101);
    EXPECT_EQ(dirty[0].right, 204);
    EXPECT_EQ(dirty[0].bottom, 103);
    EXPECT_EQ(dirty[1].left, 240);
    EXPECT_EQ(dirty[1].top, 130);
    EXPECT_EQ(dirty[1].right, 250);
    EXPECT_EQ(dirty[1].bottom, 135);
    EXPECT_TRUE(toolbox::screen().takeDirty().empty());
}

TEST_F(ScreenTest, TouchingDirtyAreasMerge)
{
    toolbox::Framebuffer& fb = toolbox::screen();
    fb.markDirty(Rect {0, 0, 10, 10});
    fb.markDirty(Rect {0, 10, 10, 20});
    fb.markDirty(Rect {470, 630, 490, 650}); // partly off screen
    std::vector<Rect> dirty = fb.takeDirty();
    ASSERT_EQ(dirty.size(), 2u);
    EXPECT_EQ(dirty[0].right, 20);
    EXPECT_EQ(dirty[1].bottom, 480);
    EXPECT_EQ(dirty[1].right, 640);
}

} // namespace
} // namespace qdtest
