// Playing version 2 pictures: the bitmap opcodes are drawn, scaled from the
// picture's frame into the destination; the housekeeping and drawing opcodes
// whose sizes are known are stepped over; anything else ends the playback.
// Every read is bounds-checked, so a damaged picture draws less, never more.
#include "quickdraw/IndexedImage.h"
#include "quickdraw/PictureData.h"
#include "quickdraw/PortInternals.h"

#include <MacMemory.h>

#include <cstring>

namespace toolbox {

namespace {

constexpr int kMaxSide = 4096;

// Skips the data of any opcode that is not a bitmap; false if the opcode is
// unknown or its data is damaged.
bool skipOpcode(ByteReader& in, uint16_t op)
{
    auto skipCounted16 = [&] { in.skip(in.u16()); };
    auto skipSized = [&] { // a polygon or region: its size word counts itself
        uint16_t size = in.u16();
        if (size < 2)
            in.fail();
        in.skip(size - 2u);
    };
    if (op >= 0x8100) {
        in.skip(in.u32());
    } else if (op >= 0x8000) {
        // no data
    } else if (op >= 0x0100) {
        in.skip(2u * (op >> 8));
    } else if (op >= 0xD0 && op <= 0xFE) {
        in.skip(in.u32());
    } else if (op >= 0xB0 && op <= 0xCF) {
        // no data
    } else if ((op >= 0xA2 && op <= 0xAF) || (op >= 0x9C && op <= 0x9F) || (op >= 0x24 && op <= 0x27)
        || (op >= 0x2C && op <= 0x2F)) {
        skipCounted16();
    } else if (op == 0x01 || (op >= 0x70 && op <= 0x77) || (op >= 0x80 && op <= 0x87)) {
        skipSized();
    } else if (op >= 0x30 && op <= 0x8F) {
        static const int kShapeData[] = {8, 0, 8, 0, 8, 0, 12, 4, 0, 0, 0, 0}; // per group of 8 from 0x30
        in.skip(size_t(kShapeData[(op - 0x30) / 8]));
    } else {
        switch (op) {
        case 0x00:
        case 0x17:
        case 0x18:
        case 0x19:
        case 0x1C:
        case 0x1E:
            break;
        case 0x04:
            in.skip(1);
            break;
        case 0x03:
        case 0x05:
        case 0x08:
        case 0x0D:
        case 0x11:
        case 0x15:
        case 0x16:
        case 0x23:
        case 0xA0:
            in.skip(2);
            break;
        case 0x06:
        case 0x07:
        case 0x0B:
        case 0x0C:
        case 0x0E:
        case 0x0F:
        case 0x21:
            in.skip(4);
            break;
        case 0x1A:
        case 0x1B:
        case 0x1D:
        case 0x1F:
        case 0x22:
            in.skip(6);
            break;
        case 0x02:
        case 0x09:
        case 0x0A:
        case 0x10:
        case 0x20:
            in.skip(8);
            break;
        case 0x28:
            in.skip(4);
            in.skip(in.u8());
            break;
        case 0x29:
        case 0x2A:
            in.skip(1);
            in.skip(in.u8());
            break;
        case 0x2B:
            in.skip(2);
            in.skip(in.u8());
            break;
        case 0xA1:
            in.skip(2);
            skipCounted16();
            break;
        default:
            return false;
        }
    }
    return in.ok();
}

struct PixMapFields {
    int packType = 0;
    int pixelSize = 1;
    int cmpCount = 1;
};

// One row's bytes, unpacked, into `row` (length bytes); false if damaged.
bool readRow(ByteReader& in, int rowBytes, bool packed, std::vector<uint8_t>& row, size_t length)
{
    row.assign(length, 0);
    if (!packed || rowBytes < 8) {
        const uint8_t* raw = in.take(length);
        if (!raw)
            return false;
        std::memcpy(row.data(), raw, length);
        return true;
    }
    size_t count = rowBytes > 250 ? in.u16() : in.u8();
    return in.ok() && unpackBits(in, count, row.data(), length);
}

// One bitmap opcode, decoded.
struct PictureBits {
    DecodedImage image;
    Rect bounds {};
    Rect srcRect {};
    Rect dstRect {}; // in the picture's coordinates
    short mode = srcCopy;
};

// Decodes one bitmap opcode's image into `bits`; false if damaged.
bool decodeBits(ByteReader& in, uint16_t op, PictureBits& bits)
{
    bool direct = op == 0x9A || op == 0x9B;
    bool packed = op != 0x90 && op != 0x91;
    if (direct)
        in.u32(); // base address placeholder
    uint16_t rb = in.u16();
    bool pixMap = direct || (rb & 0x8000);
    int rowBytes = rb & 0x3FFF;
    Rect bounds = in.rect();
    PixMapFields pm;
    Palette palette {};
    palette[0] = 0xFFFFFF;
    palette[1] = 0x000000;
    if (pixMap) {
        in.u16(); // version
        pm.packType = in.u16();
        in.skip(4 + 4 + 4 + 2); // packSize, hRes, vRes, pixelType
        pm.pixelSize = in.u16();
        pm.cmpCount = in.u16();
        in.skip(2 + 4 + 4 + 4); // cmpSize, planeBytes, pmTable, pmReserved
        if (!direct && !readColorTable(in, palette))
            return false;
    }
    bits.bounds = bounds;
    bits.srcRect = in.rect();
    bits.dstRect = in.rect();
    bits.mode = in.s16();
    if (op & 1) { // mask region: only its size is honoured
        uint16_t size = in.u16();
        if (size < 10)
            return false;
        in.skip(size - 2u);
    }
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (!in.ok() || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;

    DecodedImage& image = bits.image;
    image = DecodedImage {width, height, std::vector<uint32_t>(size_t(width) * size_t(height)), {}};
    std::vector<uint8_t> row;
    if (direct) {
        if (pm.pixelSize != 32 || rowBytes < width * 4)
            return false;
        bool planar = rowBytes >= 8 && (pm.packType == 0 || pm.packType == 4);
        if (!planar && pm.packType != 1 && rowBytes >= 8)
            return false; // 24-bit and other packings are not ours
        int planes = pm.cmpCount == 4 ? 4 : 3;
        for (int y = 0; y < height; ++y) {
            size_t length = planar ? size_t(planes) * size_t(width) : size_t(rowBytes);
            if (!readRow(in, rowBytes, planar, row, length))
                return false;
            for (int x = 0; x < width; ++x) {
                uint32_t r, g, b;
                if (planar) {
                    size_t first = size_t(planes - 3) * size_t(width);
                    r = row[first + size_t(x)];
                    g = row[first + size_t(width + x)];
                    b = row[first + size_t(2 * width + x)];
                } else {
                    r = row[size_t(4 * x + 1)];
                    g = row[size_t(4 * x + 2)];
                    b = row[size_t(4 * x + 3)];
                }
                image.pixels[size_t(y) * size_t(width) + size_t(x)] = (r << 16) | (g << 8) | b;
            }
        }
    } else {
        int depth = pixMap ? pm.pixelSize : 1;
        if (!isIndexedDepth(depth) || rowBytes * 8 < width * depth)
            return false;
        for (int y = 0; y < height; ++y) {
            if (!readRow(in, rowBytes, packed, row, size_t(rowBytes)))
                return false;
            for (int x = 0; x < width; ++x)
                image.pixels[size_t(y) * size_t(width) + size_t(x)] = palette[indexAt(row.data(), x, depth)];
        }
    }

    return true;
}

// Draws decoded bits, carried from the picture's frame into dst; false if
// the frame is empty.
bool drawBits(const PictureBits& bits, const Rect& frame, const Rect& dst)
{
    int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    if (fw <= 0 || fh <= 0)
        return false;
    auto mapX = [&](int x) { return SInt16(dst.left + (int64_t(x - frame.left) * dw) / fw); };
    auto mapY = [&](int y) { return SInt16(dst.top + (int64_t(y - frame.top) * dh) / fh); };
    const Rect& to = bits.dstRect;
    Rect target {mapY(to.top), mapX(to.left), mapY(to.bottom), mapX(to.right)};
    const DecodedImage& image = bits.image;
    BitMap map {reinterpret_cast<Ptr>(const_cast<uint32_t*>(image.pixels.data())),
        SInt16(0x8000 | (image.width * 4)), bits.bounds};
    GrafPtr port = currentPort();
    short transfer = (bits.mode & 3) == srcOr ? srcOr : srcCopy;
    if (image.width * 4 <= 0x3FFF)
        CopyBits(&map, &port->portBits, &bits.srcRect, &target, transfer, nullptr);
    return true;
}

// A version 2 picture's bitmap opcodes, up to the end, the first unknown
// opcode or the first damaged one.
std::vector<PictureBits> decodePicture(const uint8_t* bytes, size_t size)
{
    std::vector<PictureBits> out;
    ByteReader in(bytes, size);
    in.skip(10);
    // Version 2 begins with the version opcode and its 0x02FF; version 1
    // (one-byte opcodes) is not played.
    if (in.u16() != 0x0011 || in.u16() != 0x02FF)
        return out;
    while (in.ok()) {
        in.align2();
        uint16_t op = in.u16();
        if (!in.ok() || op == 0x00FF)
            break;
        if (op >= 0x90 && op <= 0x9B && op != 0x92 && op != 0x93 && op != 0x94 && op != 0x95 && op != 0x96
            && op != 0x97) {
            PictureBits bits;
            if (!decodeBits(in, op, bits))
                break;
            out.push_back(std::move(bits));
        } else if (!skipOpcode(in, op)) {
            break;
        }
    }
    return out;
}

// Windows draw the same few pictures at every update: their decoded bits
// are kept, found again by the picture's bytes.
const std::vector<PictureBits>& decodedPicture(const uint8_t* bytes, size_t size)
{
    struct Entry {
        std::vector<uint8_t> bytes;
        std::vector<PictureBits> bits;
    };
    constexpr size_t kKept = 16;
    static std::vector<Entry> kept;
    static size_t nextVictim = 0;
    for (const Entry& e : kept)
        if (e.bytes.size() == size && std::memcmp(e.bytes.data(), bytes, size) == 0)
            return e.bits;
    Entry entry {std::vector<uint8_t>(bytes, bytes + size), decodePicture(bytes, size)};
    if (kept.size() < kKept) {
        kept.push_back(std::move(entry));
        return kept.back().bits;
    }
    Entry& victim = kept[nextVictim];
    nextVictim = (nextVictim + 1) % kKept;
    victim = std::move(entry);
    return victim.bits;
}

} // namespace

PicHandle pictureFromBytes(const void* data, size_t size)
{
    if (!data || size < 10)
        return nullptr;
    Handle h = NewHandle(Size(size));
    if (!h)
        return nullptr;
    std::memcpy(*h, data, size);
    ByteReader in(static_cast<const uint8_t*>(data), size);
    auto* pic = reinterpret_cast<Picture*>(*h);
    pic->picSize = in.s16();
    pic->picFrame = in.rect();
    return reinterpret_cast<PicHandle>(h);
}

} // namespace toolbox

using namespace toolbox;

void DrawPicture(PicHandle picture, const Rect* dstRect)
{
    if (!picture || !*picture || !dstRect)
        return;
    Size size = GetHandleSize(reinterpret_cast<Handle>(picture));
    if (size < 10)
        return;
    const Rect frame = (**picture).picFrame;
    for (const PictureBits& bits : decodedPicture(reinterpret_cast<const uint8_t*>(*picture), size_t(size)))
        if (!drawBits(bits, frame, *dstRect))
            return;
}

void KillPicture(PicHandle picture)
{
    if (picture)
        DisposeHandle(reinterpret_cast<Handle>(picture));
}

Rect* QDGetPictureBounds(PicHandle picH, Rect* outRect)
{
    if (!outRect)
        return nullptr;
    *outRect = (picH && *picH) ? (**picH).picFrame : Rect {0, 0, 0, 0};
    return outRect;
}
