#include "ImageEncoders.h"

#include "CompiledResource.h"

namespace rescomp {

std::vector<uint8_t> packBits(const uint8_t* row, size_t length)
{
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < length) {
        size_t run = 1;
        while (i + run < length && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(1 - static_cast<int>(run)));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        // A literal stretch lasts until a run of three begins or 128 bytes are taken.
        size_t start = i;
        size_t count = 0;
        while (i < length && count < 128) {
            if (i + 2 < length && row[i] == row[i + 1] && row[i] == row[i + 2])
                break;
            ++i;
            ++count;
        }
        out.push_back(static_cast<uint8_t>(count - 1));
        out.insert(out.end(), row + start, row + start + count);
    }
    return out;
}

namespace {

int depthFor(size_t colours)
{
    if (colours <= 2)
        return 1;
    if (colours <= 4)
        return 2;
    if (colours <= 16)
        return 4;
    return 8;
}

int rowBytesFor(int width, int depth)
{
    return (width * depth + 15) / 16 * 2; // rows are whole 16-bit words
}

// Packs pixels of `depth` bits, most significant first, into rows.
std::vector<uint8_t> packPixels(
    const PixelArt& art, int depth, int rowBytes, unsigned (*value)(const PixelArt&, int, int))
{
    std::vector<uint8_t> bits(static_cast<size_t>(rowBytes) * art.height, 0);
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            const int bit = x * depth;
            const unsigned v = value(art, x, y) & ((1u << depth) - 1);
            bits[static_cast<size_t>(y) * rowBytes + bit / 8]
                |= static_cast<uint8_t>(v << (8 - depth - bit % 8));
        }
    }
    return bits;
}

unsigned indexOf(const PixelArt& art, int x, int y)
{
    return art.at(x, y);
}

unsigned opaque(const PixelArt& art, int x, int y)
{
    return art.palette[art.at(x, y)].transparent ? 0 : 1;
}

// Dark opaque pixels are set in the black-and-white image.
unsigned dark(const PixelArt& art, int x, int y)
{
    const PaletteEntry& e = art.palette[art.at(x, y)];
    if (e.transparent)
        return 0;
    const unsigned luminance = (e.red * 30u + e.green * 59u + e.blue * 11u) / 100u;
    return luminance < 0x8000 ? 1 : 0;
}

void writeColourTable(ByteWriter& w, const PixelArt& art)
{
    w.u32(0); // seed
    w.u16(0); // flags: a pixmap's table, values are indexes
    w.u16(static_cast<unsigned>(art.palette.size() - 1));
    for (size_t i = 0; i < art.palette.size(); ++i) {
        const PaletteEntry& e = art.palette[i];
        w.u16(static_cast<unsigned>(i));
        // Transparent pixels are masked out; white keeps them harmless where masks are ignored.
        w.u16(e.transparent ? 0xFFFF : e.red);
        w.u16(e.transparent ? 0xFFFF : e.green);
        w.u16(e.transparent ? 0xFFFF : e.blue);
    }
}

// The PixMap fields from pmVersion to pmReserved (36 bytes).
void writePixMapTail(ByteWriter& w, int depth)
{
    w.u16(0); // pmVersion
    w.u16(0); // packType: default for the depth
    w.u32(0); // packSize
    w.u32(0x00480000); // 72 dpi
    w.u32(0x00480000);
    w.u16(0); // indexed pixels
    w.u16(depth);
    w.u16(1); // one component
    w.u16(depth);
    w.u32(0); // planeBytes
    w.u32(0); // colour table handle placeholder
    w.u32(0); // reserved
}

} // namespace

std::vector<uint8_t> encodeColourIcon(const PixelArt& art)
{
    const int depth = depthFor(art.palette.size());
    const int pixRowBytes = rowBytesFor(art.width, depth);
    const int bitRowBytes = rowBytesFor(art.width, 1);
    ByteWriter w;
    // PixMap
    w.u32(0);
    w.u16(0x8000 | pixRowBytes);
    w.rect(0, 0, art.height, art.width);
    writePixMapTail(w, depth);
    // mask BitMap, then the one-bit BitMap
    for (int k = 0; k < 2; ++k) {
        w.u32(0);
        w.u16(bitRowBytes);
        w.rect(0, 0, art.height, art.width);
    }
    w.u32(0); // icon data handle placeholder
    w.append(packPixels(art, 1, bitRowBytes, opaque));
    w.append(packPixels(art, 1, bitRowBytes, dark));
    writeColourTable(w, art);
    w.append(packPixels(art, depth, pixRowBytes, indexOf));
    return std::move(w.bytes());
}

std::vector<uint8_t> encodePicture(const PixelArt& art)
{
    const int rowBytes = rowBytesFor(art.width, 8);
    ByteWriter w;
    w.u16(0); // picSize, patched below
    w.rect(0, 0, art.height, art.width);
    w.u16(0x0011); // version opcode
    w.u16(0x02FF); // version 2
    w.u16(0x0C00); // header: extended version 2 at 72 dpi
    w.u16(0xFFFE);
    w.u16(0);
    w.u32(0x00480000);
    w.u32(0x00480000);
    w.rect(0, 0, art.height, art.width);
    w.u32(0);
    w.u16(0x001E); // default highlight
    w.u16(0x0001); // clip to the frame
    w.u16(10);
    w.rect(0, 0, art.height, art.width);
    w.u16(0x0098); // PackBitsRect
    w.u16(0x8000 | rowBytes);
    w.rect(0, 0, art.height, art.width);
    writePixMapTail(w, 8);
    writeColourTable(w, art);
    w.rect(0, 0, art.height, art.width); // source
    w.rect(0, 0, art.height, art.width); // destination
    w.u16(0); // srcCopy
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes), 0);
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x)
            row[x] = art.at(x, y);
        if (rowBytes < 8) {
            w.append(row);
            continue;
        }
        const std::vector<uint8_t> packed = packBits(row.data(), row.size());
        if (rowBytes > 250)
            w.u16(static_cast<unsigned>(packed.size()));
        else
            w.u8(static_cast<unsigned>(packed.size()));
        w.append(packed);
    }
    w.padToEven();
    w.u16(0x00FF); // end of picture
    w.patch16(0, static_cast<unsigned>(w.size() & 0xFFFF));
    return std::move(w.bytes());
}

} // namespace rescomp
