// The origin, the clip region, the visible region and the update clip.
#include "ScreenFixture.h"

namespace qdtest {
namespace {

struct RgnDeleter {
    void operator()(MacRegion** r) const { DisposeRgn(r); }
};
using Rgn = std::unique_ptr<MacRegion*, RgnDeleter>;

Rgn rectRgn(short left, short top, short right, short bottom)
{
    Rgn r(NewRgn());
    SetRectRgn(r.get(), left, top, right, bottom);
    return r;
}

const Rect kAll {0, 0, 4, 8};

TEST_F(ScreenTest, SetOriginShiftsThePortsCoordinates)
{
    SetOrigin(10, 20);
    Rect r {20, 10, 21, 12};
    PaintRect(&r);
    EXPECT_EQ(art(0, 0, 4, 2),
        "##..\n"
        "....\n");
    Rect bounds;
    GetPortBounds(&port, &bounds);
    EXPECT_EQ(bounds.top, 20);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.bottom, 60);
    EXPECT_EQ(bounds.right, 70);

    Point p {100, 200}; // v, h: the port's top-left corner on the screen
    GlobalToLocal(&p);
    EXPECT_EQ(p.h, 10);
    EXPECT_EQ(p.v, 20);
    LocalToGlobal(&p);
    EXPECT_EQ(p.h, 200);
    EXPECT_EQ(p.v, 100);
}

TEST_F(ScreenTest, ClipRegionDoesNotFollowTheOrigin)
{
    Rect clip {0, 0, 4, 4};
    ClipRect(&clip);
    SetOrigin(2, 2);
    // Local 2..8 is on screen at 0..6; the clip still means local 0..4.
    Rect r {2, 2, 8, 8};
    PaintRect(&r);
    EXPECT_EQ(art(0, 0, 8, 4),
        "##......\n"
        "##......\n"
        "........\n"
        "........\n");
}

TEST_F(ScreenTest, DrawingIsClippedToAnIrregularClipRegion)
{
    Rgn a = rectRgn(0, 0, 2, 2), b = rectRgn(4, 1, 6, 3);
    Rgn both(NewRgn());
    UnionRgn(a.get(), b.get(), both.get());
    SetClip(both.get());
    PaintRect(&kAll);
    EXPECT_EQ(art(0, 0, 8, 4),
        "##......\n"
        "##..##..\n"
        "....##..\n"
        "........\n");
    Rgn back(NewRgn());
    GetClip(back.get());
    EXPECT_TRUE(EqualRgn(back.get(), both.get()));
}

TEST_F(ScreenTest, UpdateClipLimitsDrawingUntilCleared)
{
    Rgn update = rectRgn(kPortLeft + 2, kPortTop + 1, kPortLeft + 4, kPortTop + 3); // global
    toolbox::setUpdateClip(&port, update.get());
    PaintRect(&kAll);
    EXPECT_EQ(art(0, 0, 8, 4),
        "........\n"
        "..##....\n"
        "..##....\n"
        "........\n");
    // The update clip is global: moving the origin does not move it.
    SetOrigin(-5, -5);
    RGBColor red = rgb(0xFFFF, 0, 0);
    RGBForeColor(&red);
    Rect moved {-5, -5, 10, 10};
    PaintRect(&moved);
    toolbox::setUpdateClip(&port, nullptr);
    SetOrigin(0, 0);
    EXPECT_EQ(art(0, 0, 8, 4),
        "........\n"
        "..rr....\n"
        "..rr....\n"
        "........\n");
    PaintRect(&kAll);
    EXPECT_EQ(art(0, 0, 8, 4),
        "rrrrrrrr\n"
        "rrrrrrrr\n"
        "rrrrrrrr\n"
        "rrrrrrrr\n");
}

TEST_F(ScreenTest, VisibleRegionHidesCoveredParts)
{
    Rgn visible = rectRgn(kPortLeft, kPortTop, kPortLeft + 3, kPortTop + 2);
    toolbox::setVisibleRegion(&port, visible.get());
    PaintRect(&kAll);
    EXPECT_EQ(art(0, 0, 5, 3),
        "###..\n"
        "###..\n"
        ".....\n");
    Rgn local(NewRgn());
    GetPortVisibleRegion(&port, local.get());
    Rect b;
    GetRegionBounds(local.get(), &b);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.right, 3);
    EXPECT_EQ(b.bottom, 2);
}

TEST_F(ScreenTest, MovedPortDrawsAtItsNewPlace)
{
    toolbox::movePort(&port, 300, 50);
    Rect r {0, 0, 1, 1};
    PaintRect(&r);
    EXPECT_EQ(toolbox::screen().pixel(300, 50), 0x000000u);
    EXPECT_EQ(toolbox::screen().pixel(kPortLeft, kPortTop), 0xFFFFFFu);
    Rect global = toolbox::portGlobalRect(&port);
    EXPECT_EQ(global.left, 300);
    EXPECT_EQ(global.top, 50);
    EXPECT_EQ(global.right, 360);
    EXPECT_EQ(global.bottom, 90);
}

} // namespace
} // namespace qdtest
