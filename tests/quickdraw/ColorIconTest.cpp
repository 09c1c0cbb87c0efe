// Colour icons built byte by byte: drawn through their masks, scaled into
// the rectangle; malformed ones are refused.
#include "ResourceBytes.h"
#include "ScreenFixture.h"

#include "quickdraw/PictureData.h"

#include <functional>

namespace qdtest {
namespace {

// A 4x2 icon, 2 bits a pixel: indices 1 2 3 0 / 3 2 1 0 over white, red,
// blue, black; the mask hides the last pixel of the first row and the first
// of the second.
Bytes iconBytes(uint16_t depth = 2, short width = 4, uint16_t ctSize = 3)
{
    Bytes b;
    b.u32(0).u16(0x8000 | 1).rect(0, 0, 2, width).pixMapFields(0, depth, 1, depth); // PixMap
    b.u32(0).u16(1).rect(0, 0, 2, width); // mask BitMap
    b.u32(0).u16(1).rect(0, 0, 2, width); // one-bit BitMap
    b.u32(0); // icon data placeholder
    b.raw({0xE0, 0x70}); // mask
    b.raw({0x20, 0x80}); // one-bit image
    b.u32(0).u16(0).u16(ctSize);
    const RGBColor colours[] = {{0xFFFF, 0xFFFF, 0xFFFF}, {0xFFFF, 0, 0}, {0, 0, 0xFFFF}, {0, 0, 0}};
    for (uint16_t i = 0; i <= ctSize && i < 4; ++i)
        b.u16(i).u16(colours[i].red).u16(colours[i].green).u16(colours[i].blue);
    b.raw({0x6C, 0xE4}); // pixels
    return b;
}

class ColorIcons : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        RGBColor green {0, 0xFFFF, 0};
        RGBForeColor(&green);
        Rect all {0, 0, 10, 10};
        PaintRect(&all);
    }
};

// Over green: at its own size, scaled up, and clipped to the left half.
TEST_F(ColorIcons, DrawThroughTheirMaskScaledAndClipped)
{
    const struct {
        Rect clip, dst;
        int right, bottom; // of the area compared, from (0, 0)
        const char* expected;
    } kCases[] = {
        {{0, 0, 10, 10}, {1, 1, 3, 5}, 6, 4,
            "gggggg\n"
            "grb#gg\n"
            "ggbr.g\n"
            "gggggg\n"},
        {{0, 0, 10, 10}, {0, 0, 4, 8}, 8, 4,
            "rrbb##gg\n"
            "rrbb##gg\n"
            "ggbbrr..\n"
            "ggbbrr..\n"},
        {{0, 0, 10, 2}, {0, 0, 2, 4}, 4, 2,
            "rbgg\n"
            "gbgg\n"},
    };
    Bytes b = iconBytes();
    CIconHandle icon = toolbox::cIconFromBytes(b.data.data(), b.data.size());
    ASSERT_NE(icon, nullptr);
    for (const auto& c : kCases) {
        const Rect all {0, 0, 10, 10};
        ClipRect(&all);
        PaintRect(&all); // green again
        ClipRect(&c.clip);
        PlotCIcon(&c.dst, icon);
        EXPECT_EQ(art(0, 0, c.right, c.bottom), c.expected);
    }
    DisposeCIcon(icon);
}

struct BadIcon {
    const char* name;
    std::function<Bytes()> build;
};

class MalformedIcons : public ::testing::TestWithParam<BadIcon> { };

TEST_P(MalformedIcons, AreRefused)
{
    Bytes b = GetParam().build();
    EXPECT_EQ(toolbox::cIconFromBytes(b.data.data(), b.data.size()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Quickdraw, MalformedIcons,
    ::testing::Values(BadIcon {"DepthThree", [] { return iconBytes(3); }},
        BadIcon {"DepthSixteen", [] { return iconBytes(16); }},
        BadIcon {"ZeroWidth", [] { return iconBytes(2, 0); }},
        BadIcon {"RowTooShortForTheWidth", [] { return iconBytes(2, 9); }},
        BadIcon {"ColourTableBeyondTheData", [] { return iconBytes(2, 4, 200); }},
        BadIcon {"NoBytesAtAll", [] { return Bytes {}; }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qdtest
