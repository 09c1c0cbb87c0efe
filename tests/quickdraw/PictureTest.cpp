// Pictures built byte by byte: the bitmap opcodes draw, scaled into the
// destination; housekeeping opcodes are stepped over; damaged pictures draw
// nothing and never touch memory they should not.
#include "ResourceBytes.h"
#include "ScreenFixture.h"

#include "quickdraw/PictureData.h"

#include <algorithm>
#include <functional>

namespace qdtest {
namespace {

const RGBColor kWhite {0xFFFF, 0xFFFF, 0xFFFF}, kRed {0xFFFF, 0, 0}, kBlue {0, 0, 0xFFFF}, kBlack {0, 0, 0};

// Header of a version 2 picture whose frame is (0, 0)-(height, width).
Bytes pictureStart(short width, short height)
{
    Bytes b;
    b.u16(0).rect(0, 0, height, width);
    b.u16(0x0011).u16(0x02FF);
    b.u16(0x0C00).u16(0xFFFE).u16(0).u32(0x00480000).u32(0x00480000).rect(0, 0, height, width).u32(0);
    return b;
}

// 4x2, 8-bit indices, rowBytes 4 (short rows are stored unpacked).
Bytes indexedPicture(std::function<void(Bytes&)> before = {})
{
    Bytes b = pictureStart(4, 2);
    if (before)
        before(b);
    b.u16(0x0098).u16(0x8000 | 4).rect(0, 0, 2, 4).pixMapFields(0, 8, 1, 8);
    b.colorTable({kWhite, kRed, kBlue, kBlack});
    b.rect(0, 0, 2, 4).rect(0, 0, 2, 4).u16(srcCopy);
    b.raw({1, 2, 3, 0, 0, 3, 2, 1});
    b.align().u16(0x00FF);
    return b;
}

class Pictures : public ScreenTest {
protected:
    void draw(const Bytes& bytes, Rect dst)
    {
        PicHandle pic = toolbox::pictureFromBytes(bytes.data.data(), bytes.data.size());
        ASSERT_NE(pic, nullptr);
        DrawPicture(pic, &dst);
        KillPicture(pic);
    }
};

TEST_F(Pictures, FrameIsReadInHostOrder)
{
    Bytes b = indexedPicture();
    PicHandle pic = toolbox::pictureFromBytes(b.data.data(), b.data.size());
    Rect frame;
    QDGetPictureBounds(pic, &frame);
    EXPECT_EQ(frame.right, 4);
    EXPECT_EQ(frame.bottom, 2);
    EXPECT_EQ((**pic).picFrame.right, 4);
    KillPicture(pic);
}

TEST_F(Pictures, ShowTheirOwnPixelsAfterAnotherOfTheSameSize)
{
    Bytes b = indexedPicture();
    draw(b, {1, 1, 3, 5});
    const uint8_t lastRow[] = {0, 3, 2, 1};
    auto at = std::search(b.data.begin(), b.data.end(), std::begin(lastRow), std::end(lastRow));
    ASSERT_NE(at, b.data.end());
    at[3] = 2; // its last pixel red, now blue
    draw(b, {1, 1, 3, 5});
    EXPECT_EQ(art(0, 0, 6, 4),
        "......\n"
        ".rb#..\n"
        "..#bb.\n"
        "......\n");
}

struct DrawnCase {
    const char* name;
    std::function<Bytes()> build;
    Rect dst;
    const char* expected; // local (0, 0) to the destination's bottom right plus its top left
};

class DrawnPictures : public Pictures, public ::testing::WithParamInterface<DrawnCase> { };

TEST_P(DrawnPictures, ShowTheirPixels)
{
    const DrawnCase& c = GetParam();
    draw(c.build(), c.dst);
    EXPECT_EQ(art(0, 0, c.dst.right + c.dst.left, c.dst.bottom + c.dst.top), c.expected);
}

// A bitmap opcode (0x98 indexed, 0x9A direct) over `height` rows of `width`.
Bytes bitsPicture(short width, short height, uint16_t op, uint16_t rowBytes,
    std::initializer_list<uint8_t> pixels, uint16_t packType = 0, uint16_t depth = 8)
{
    Bytes b = pictureStart(width, height);
    b.u16(op);
    if (op == 0x009A)
        b.u32(0xFF);
    b.u16(rowBytes).rect(0, 0, height, width);
    if (rowBytes & 0x8000) {
        b.pixMapFields(packType, depth, depth >= 16 ? 3 : 1, depth == 32 ? 8 : depth == 16 ? 5 : depth);
        if (op == 0x0098)
            b.colorTable({kWhite, kRed});
    }
    b.rect(0, 0, height, width).rect(0, 0, height, width).u16(srcCopy);
    b.raw(pixels);
    b.align().u16(0x00FF);
    return b;
}

INSTANTIATE_TEST_SUITE_P(Quickdraw, DrawnPictures,
    ::testing::Values(DrawnCase {"IndexedAtTheirOwnSize", [] { return indexedPicture(); }, {1, 1, 3, 5},
                          "......\n"
                          ".rb#..\n"
                          "..#br.\n"
                          "......\n"},
        DrawnCase {"IndexedScaledUp", [] { return indexedPicture(); }, {0, 0, 4, 8},
            "rrbb##..\n"
            "rrbb##..\n"
            "..##bbrr\n"
            "..##bbrr\n"},
        DrawnCase {"PackedIndexedRows", // ten times index 1; 0, 1, then eight times 0
            [] {
                return bitsPicture(10, 2, 0x0098, 0x8000 | 10, {2, 0xF7, 1, 5, 0x01, 0, 1, 0xF9, 0});
            },
            {0, 0, 2, 10},
            "rrrrrrrrrr\n"
            ".r........\n"},
        DrawnCase {"DirectPixelsInComponentPlanes",
            [] {
                return bitsPicture(8, 1, 0x009A, 0x8000 | 32,
                    {20, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xF9, 0, 0x07, 0, 0, 0, 0, 0xFF, 0xFF,
                        0xFF, 0xFF},
                    4, 32);
            },
            {0, 0, 1, 8}, "rrrrbbbb\n"},
        DrawnCase {"DirectPixelsUnpacked",
            [] {
                return bitsPicture(1, 2, 0x009A, 0x8000 | 4, {0, 0xFF, 0, 0, 0, 0, 0, 0xFF}, 1, 32);
            },
            {0, 0, 2, 1}, "r\nb\n"},
        DrawnCase {"OneBitBitMap",
            [] {
                return bitsPicture(9, 2, 0x0098, 2, {0xAA, 0x80, 0x00, 0x00});
            },
            {0, 0, 2, 9},
            "#.#.#.#.#\n"
            ".........\n"},
        DrawnCase {"HousekeepingOpcodesSteppedOver",
            [] {
                return indexedPicture([](Bytes& b) {
                    b.u16(0x001E); // default highlight
                    b.u16(0x0001).u16(10).rect(0, 0, 2, 4); // clip
                    b.u16(0x00A0).u16(42); // short comment
                    b.u16(0x00A1).u16(100).u16(3).raw({1, 2, 3}).align(); // long comment
                    b.u16(0x001A).u16(0).u16(0).u16(0); // foreground colour
                    b.u16(0x0030).rect(0, 0, 1, 1); // frame rect: not drawn here
                    b.u16(0x8000); // reserved, no data
                    b.u16(0x00D0).u32(4).u32(0); // reserved, long-counted
                    b.u16(0x0100).u16(0); // reserved, two bytes
                });
            },
            {0, 0, 2, 4},
            "rb#.\n"
            ".#br\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DamagedCase {
    const char* name;
    std::function<Bytes()> build;
};

class DamagedPictures : public Pictures, public ::testing::WithParamInterface<DamagedCase> { };

TEST_P(DamagedPictures, DrawNothing)
{
    draw(GetParam().build(), Rect {0, 0, 2, 4});
    for (int v = -5; v < 45; ++v)
        for (int h = -5; h < 65; ++h)
            ASSERT_EQ(toolbox::screen().pixel(kPortLeft + h, kPortTop + v), 0xFFFFFFu) << h << "," << v;
}

Bytes replaced(Bytes b, size_t at, std::initializer_list<uint8_t> bytes)
{
    size_t i = at;
    for (uint8_t v : bytes)
        b.data[i++] = v;
    return b;
}

// Offsets in indexedPicture(): header 40 bytes; 0x0098 at 40; rowBytes 42;
// bounds 44; PixMap fields 52 (pixelSize at 70); colour table 88 (ctSize at
// 94); rects and mode 128; pixels 146.
INSTANTIATE_TEST_SUITE_P(Quickdraw, DamagedPictures,
    ::testing::Values(DamagedCase {"VersionOne",
                          [] {
                              return replaced(indexedPicture(), 10, {0x11, 0x01});
                          }},
        DamagedCase {"HugeBounds",
            [] {
                return replaced(indexedPicture(), 48, {0x7F, 0xFF, 0x7F, 0xFF});
            }},
        DamagedCase {"EmptyBounds",
            [] {
                return replaced(indexedPicture(), 48, {0, 0, 0, 0});
            }},
        DamagedCase {"ColourTableTooLong",
            [] {
                return replaced(indexedPicture(), 94, {0x01, 0x2C});
            }},
        DamagedCase {"UnsupportedDepth",
            [] {
                return replaced(indexedPicture(), 70, {0, 3});
            }},
        DamagedCase {"RowBytesTooSmall",
            [] {
                return replaced(indexedPicture(), 42, {0x80, 0x02});
            }},
        DamagedCase {"TruncatedPixels",
            [] {
                Bytes b = indexedPicture();
                b.data.resize(150);
                return b;
            }},
        DamagedCase {
            "UnknownOpcodeStopsPlayback", [] { return indexedPicture([](Bytes& b) { b.u16(0x0012); }); }},
        DamagedCase {"PackedCountBeyondTheData",
            [] {
                return bitsPicture(10, 1, 0x0098, 0x8000 | 10, {200, 0xF7, 1});
            }},
        DamagedCase {"RunOverflowingTheRow", // 128 copies into a 10-byte row
            [] {
                return bitsPicture(10, 1, 0x0098, 0x8000 | 10, {2, 0x81, 1});
            }},
        DamagedCase {"SixteenBitDirectPixels",
            [] {
                return bitsPicture(1, 1, 0x009A, 0x8000 | 2, {0x7C, 0x00}, 1, 16);
            }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qdtest
