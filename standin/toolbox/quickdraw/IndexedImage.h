// Decoding helpers shared by pictures and colour icons: colour tables and
// indexed (1, 2, 4, 8 bits a pixel) rows.
#pragma once

#include "quickdraw/ByteReader.h"

#include <array>
#include <cstdint>
#include <vector>

namespace toolbox {

using Palette = std::array<uint32_t, 256>;

// Reads a ColorTable (seed, flags, size, entries) into a palette of
// 0x00RRGGBB values; unset entries are black. False if malformed.
bool readColorTable(ByteReader& in, Palette& palette);

// Pixel x of a row of `depth`-bit indices.
inline unsigned indexAt(const uint8_t* row, int x, int depth)
{
    int bit = x * depth;
    return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
}

inline bool isIndexedDepth(int depth)
{
    return depth == 1 || depth == 2 || depth == 4 || depth == 8;
}

// A decoded image in 0x00RRGGBB pixels, with an optional mask.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> mask; // empty, or one byte a pixel (1 = draw)
};

} // namespace toolbox
