// The pictures and colour icons in the application's compiled resource file
// come back through GetPicture and GetCIcon and draw in full.
#include "ScreenFixture.h"

#include "resources/ResourceFileAccess.h"

#include <Resources.h>

namespace qdtest {
namespace {

class ApplicationImages : public ScreenTest {
protected:
    void SetUp() override
    {
#ifndef KORV_TARNWICK_RESOURCES
        GTEST_SKIP() << "the resource compiler is not part of this build";
#else
        ScreenTest::SetUp();
        toolbox::resizePort(&port, 400, 100);
        ASSERT_EQ(toolbox::openResourceFileAtPath(KORV_TARNWICK_RESOURCES, 1, &file), noErr);
        RGBColor green {0, 0xFFFF, 0};
        RGBForeColor(&green);
        Rect all {0, 0, 100, 400};
        PaintRect(&all);
#endif
    }
    void TearDown() override
    {
        if (file > 0)
            CloseResFile(file);
        ScreenTest::TearDown();
    }
    int greenPixelsIn(const Rect& r) const
    {
        int n = 0;
        for (int v = r.top; v < r.bottom; ++v)
            for (int h = r.left; h < r.right; ++h)
                n += pixelAt(h, v) == 0x00FF00;
        return n;
    }
    SInt16 file = 0;
};

struct PictureCase {
    short id;
    short width, height; // 0: any size that fits the About pane
};

class ApplicationPictures : public ApplicationImages, public ::testing::WithParamInterface<PictureCase> { };

TEST_P(ApplicationPictures, DecodeAndCoverTheirFrame)
{
    PicHandle pic = GetPicture(GetParam().id);
    ASSERT_NE(pic, nullptr);
    Rect frame;
    QDGetPictureBounds(pic, &frame);
    short w = short(frame.right - frame.left), h = short(frame.bottom - frame.top);
    if (GetParam().width) {
        EXPECT_EQ(w, GetParam().width);
        EXPECT_EQ(h, GetParam().height);
    } else {
        EXPECT_GT(w, 0);
        EXPECT_LE(w, 362);
        EXPECT_GT(h, 0);
        EXPECT_LE(h, 90);
    }
    Rect dst {0, 0, std::min<short>(h, 100), std::min<short>(w, 400)};
    DrawPicture(pic, &dst);
    EXPECT_EQ(greenPixelsIn(dst), 0);
    KillPicture(pic);
}

INSTANTIATE_TEST_SUITE_P(Quickdraw, ApplicationPictures,
    ::testing::Values(PictureCase {128, 11, 18}, PictureCase {130, 11, 18}, PictureCase {131, 11, 18},
        PictureCase {133, 11, 18}, PictureCase {135, 11, 18}, PictureCase {137, 11, 18},
        PictureCase {129, 0, 0}, PictureCase {132, 0, 0}, PictureCase {136, 0, 0},
        PictureCase {-4048, 0, 0}));

struct IconCase {
    short id;
    Rect rect;
};

class ApplicationIcons : public ApplicationImages, public ::testing::WithParamInterface<IconCase> { };

TEST_P(ApplicationIcons, DecodeAndDrawInsideTheirRectangle)
{
    CIconHandle icon = GetCIcon(GetParam().id);
    ASSERT_NE(icon, nullptr);
    Rect r = GetParam().rect;
    PlotCIcon(&r, icon);
    int area = (r.right - r.left) * (r.bottom - r.top);
    EXPECT_LT(greenPixelsIn(r), area); // something drawn
    Rect around {0, 0, 40, 60};
    EXPECT_EQ(greenPixelsIn(around), 40 * 60 - (area - greenPixelsIn(r))); // and only inside
    DisposeCIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(Quickdraw, ApplicationIcons,
    ::testing::Values(IconCase {1000, {10, 10, 22, 18}}, IconCase {1001, {14, 7, 22, 19}},
        IconCase {1002, {10, 10, 22, 18}}, IconCase {1003, {14, 7, 22, 19}}));

TEST_F(ApplicationImages, MissingResourcesGiveNull)
{
    EXPECT_EQ(GetPicture(31000), nullptr);
    EXPECT_EQ(GetCIcon(31000), nullptr);
}

} // namespace
} // namespace qdtest
