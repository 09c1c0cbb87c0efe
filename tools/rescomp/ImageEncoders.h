// Encoders from pixel art to the toolbox's image resources.
#pragma once

#include "PixelArt.h"

#include <cstdint>
#include <vector>

namespace rescomp {

// PackBits, as QuickDraw unpacks it: n 0..127 copies n+1 bytes, n -1..-127
// repeats the next byte 1-n times.
std::vector<uint8_t> packBits(const uint8_t* row, size_t length);

// 'cicn': an indexed PixMap of the smallest depth that holds the palette
// (1, 2, 4 or 8 bits), its mask from the transparent keys and a one-bit
// image (dark colours set) for black-and-white screens.
std::vector<uint8_t> encodeColourIcon(const PixelArt& art);

// 'PICT' version 2: one PackBitsRect of 8-bit indexed pixels at the
// picture's own size. Transparent keys are refused by the caller.
std::vector<uint8_t> encodePicture(const PixelArt& art);

} // namespace rescomp
