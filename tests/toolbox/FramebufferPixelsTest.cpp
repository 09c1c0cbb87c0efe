// The console host's pixels: the screen's colours written into device memory
// of each layout a Linux framebuffer reports, byte for byte, including where
// a copy lands (placement, scale, line length) and what it leaves alone.
#include "host/fbdev/PixelFormat.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using toolbox::ColourField;
using toolbox::PixelFormat;

constexpr ColourField kNone {0, 0, false};
constexpr uint8_t kUntouched = 0xEE;

PixelFormat direct(
    int bits, ColourField r, ColourField g, ColourField b, bool bigEndian, ColourField transp = kNone)
{
    return PixelFormat {bits, false, r, g, b, transp, bigEndian};
}

PixelFormat indexed()
{
    return PixelFormat {8, true, kNone, kNone, kNone, kNone, false};
}

struct PixelCase {
    const char* name;
    PixelFormat format;
    int sourceWidth;
    std::vector<uint32_t> source;
    toolbox::Placement at;
    size_t lineLength;
    std::vector<uint8_t> device; // after the copy; kUntouched where nothing was written
};

void PrintTo(const PixelCase& c, std::ostream* os)
{
    *os << c.name;
}

class FramebufferPixels : public testing::TestWithParam<PixelCase> { };

TEST_P(FramebufferPixels, LandAsTheDeviceLaysThemOut)
{
    const PixelCase& c = GetParam();
    std::vector<uint8_t> device(c.device.size(), kUntouched);
    const SInt16 height = SInt16(c.source.size() / size_t(c.sourceWidth));
    toolbox::PixelConverter(c.format).copy(c.source.data(), c.sourceWidth,
        Rect {0, 0, height, SInt16(c.sourceWidth)}, c.at, device.data(), c.lineLength);
    EXPECT_EQ(device, c.device);
}

constexpr uint8_t E = kUntouched;

INSTANTIATE_TEST_SUITE_P(Formats, FramebufferPixels,
    testing::Values(
        // QEMU's Open Firmware framebuffer on the emulated G4, as its guest writes it.
        PixelCase {"Xrgb32BigEndian", direct(32, {16, 8}, {8, 8}, {0, 8}, true), 1, {0x123456}, {}, 4,
            {0x00, 0x12, 0x34, 0x56}},
        PixelCase {"Xrgb32LittleEndian", direct(32, {16, 8}, {8, 8}, {0, 8}, false), 1, {0x123456}, {}, 4,
            {0x56, 0x34, 0x12, 0x00}},
        PixelCase {"Rgba32WithAlphaOpaque", direct(32, {24, 8}, {16, 8}, {8, 8}, true, {0, 8}), 1, {0x123456},
            {}, 4, {0x12, 0x34, 0x56, 0xFF}},
        PixelCase {"Bgr24BigEndian", direct(24, {16, 8}, {8, 8}, {0, 8}, true), 1, {0x123456}, {}, 3,
            {0x12, 0x34, 0x56}},
        PixelCase {"Bgr24LittleEndian", direct(24, {16, 8}, {8, 8}, {0, 8}, false), 1, {0x123456}, {}, 3,
            {0x56, 0x34, 0x12}},
        // 0x12, 0x34, 0x56 rounded to 5, 6, 5 bits: 2, 13, 10.
        PixelCase {
            "Rgb565BigEndian", direct(16, {11, 5}, {5, 6}, {0, 5}, true), 1, {0x123456}, {}, 2, {0x11, 0xAA}},
        PixelCase {"Rgb565LittleEndian", direct(16, {11, 5}, {5, 6}, {0, 5}, false), 1, {0x123456}, {}, 2,
            {0xAA, 0x11}},
        // 5 bits each: 2, 6, 10; the same whether the depth says 15 or 16.
        PixelCase {"Rgb555As15BigEndian", direct(15, {10, 5}, {5, 5}, {0, 5}, true), 1, {0x123456}, {}, 2,
            {0x08, 0xCA}},
        PixelCase {"Rgb555As16LittleEndian", direct(16, {10, 5}, {5, 5}, {0, 5}, false), 1, {0x123456}, {}, 2,
            {0xCA, 0x08}},
        // A field whose most significant bit is on the right: 0x12 read backwards.
        PixelCase {"MsbRightRed", direct(32, {0, 8, true}, {8, 8}, {16, 8}, false), 1, {0x120000}, {}, 4,
            {0x48, 0x00, 0x00, 0x00}},
        // The Mac's table: white, black, a grey of the ramp, a cube colour, and
        // a near-white that has no entry of its own.
        PixelCase {"Indexed8", indexed(), 5, {0xFFFFFF, 0x000000, 0xDDDDDD, 0x3366CC, 0xFEFEFE}, {}, 5,
            {0, 255, 246, 163, 0}},
        // Placed at (1,1), twice the size, in rows of 7 bytes.
        PixelCase {"Indexed8ScaledOnAnOddLine", indexed(), 2, {0xFFFFFF, 0x000000}, {1, 1, 2}, 7,
            {E, E, E, E, E, E, E, //
                E, 0, 0, 255, 255, E, E, //
                E, 0, 0, 255, 255, E, E}},
        // Three times the size at (1,0) in rows of 11 bytes: whole pixels
        // repeated, the bytes past the copy left alone.
        PixelCase {"Rgb565ScaledOnAnOddLine", direct(16, {11, 5}, {5, 6}, {0, 5}, true), 1, {0xFF0000},
            {1, 0, 3}, 11,
            {E, E, 0xF8, 0x00, 0xF8, 0x00, 0xF8, 0x00, E, E, E, //
                E, E, 0xF8, 0x00, 0xF8, 0x00, 0xF8, 0x00, E, E, E, //
                E, E, 0xF8, 0x00, 0xF8, 0x00, 0xF8, 0x00, E, E, E}},
        PixelCase {"Bgr24TwoRowsOnAnOddLine", direct(24, {16, 8}, {8, 8}, {0, 8}, false), 2,
            {0x010203, 0x040506, 0x0A0B0C, 0x0D0E0F}, {}, 7,
            {0x03, 0x02, 0x01, 0x06, 0x05, 0x04, E, //
                0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D, E}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
