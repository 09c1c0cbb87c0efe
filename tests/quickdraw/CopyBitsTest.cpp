// Offscreen worlds and CopyBits: drawing out of sight, then copying to the
// screen at the same size or scaled, within the destination port's clip.
#include "ScreenFixture.h"

namespace qdtest {
namespace {

class Offscreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        Rect bounds {0, 0, 2, 3};
        ASSERT_EQ(NewGWorld(&world, 32, &bounds, nullptr, nullptr, 0), noErr);
        SetGWorld(world, nullptr);
        RGBColor red {0xFFFF, 0, 0};
        RGBForeColor(&red);
        Rect left {0, 0, 2, 1};
        PaintRect(&left);
        Rect corner {1, 2, 2, 3};
        PaintRect(&corner);
        SetPort(&port);
    }
    void TearDown() override
    {
        DisposeGWorld(world);
        ScreenTest::TearDown();
    }
    GWorldPtr world = nullptr;
};

TEST_F(Offscreen, DrawingThereLeavesTheScreenAlone)
{
    EXPECT_EQ(art(0, 0, 3, 2),
        "...\n"
        "...\n");
    EXPECT_TRUE(toolbox::screen().takeDirty().empty());
}

// Also with the world's PixMap handle standing in for its BitMap.
TEST_F(Offscreen, CopyBitsAtTheSameSize)
{
    Rect src {0, 0, 2, 3}, dst {1, 1, 3, 4};
    CopyBits(GetPortBitMapForCopyBits(world), GetPortBitMapForCopyBits(&port), &src, &dst, srcCopy, nullptr);
    EXPECT_EQ(art(0, 0, 5, 4),
        ".....\n"
        ".r...\n"
        ".r.r.\n"
        ".....\n");
    PixMapHandle pm = GetGWorldPixMap(world);
    ASSERT_TRUE(LockPixels(pm));
    Rect corner {0, 4, 2, 7};
    CopyBits(reinterpret_cast<const BitMap*>(*pm), GetPortBitMapForCopyBits(&port), &src, &corner, srcCopy,
        nullptr);
    UnlockPixels(pm);
    EXPECT_EQ(art(4, 0, 7, 2),
        "r..\n"
        "r.r\n");
}

TEST_F(Offscreen, CopyBitsScalesAndClips)
{
    Rect clip {0, 0, 3, 6};
    ClipRect(&clip);
    Rect src {0, 0, 2, 3}, dst {0, 0, 4, 6};
    CopyBits(GetPortBitMapForCopyBits(world), GetPortBitMapForCopyBits(&port), &src, &dst, srcCopy, nullptr);
    EXPECT_EQ(art(0, 0, 7, 5),
        "rr.....\n"
        "rr.....\n"
        "rr..rr.\n"
        ".......\n"
        ".......\n");
}

TEST(GWorlds, AbsurdBoundsAreRefused)
{
    GWorldPtr world = nullptr;
    Rect empty {0, 0, 0, 10}, huge {0, 0, 10, 5000};
    EXPECT_NE(NewGWorld(&world, 32, &empty, nullptr, nullptr, 0), noErr);
    EXPECT_NE(NewGWorld(&world, 32, &huge, nullptr, nullptr, 0), noErr);
    EXPECT_EQ(world, nullptr);
}

} // namespace
} // namespace qdtest
