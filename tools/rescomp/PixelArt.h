// Images drawn as text: a palette of one-character keys and rows of keys.
//
//       size 8x12
//       colour k #000000       a key and its colour
//       colour . none          a transparent key (colour icons only)
//       pixels                 then exactly `height` rows of `width` keys
//       k.......
//       ...
#pragma once

#include "SourceReader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rescomp {

struct PaletteEntry {
    char key = 0;
    bool transparent = false;
    uint16_t red = 0, green = 0, blue = 0; // 16-bit QuickDraw components
};

struct PixelArt {
    int width = 0;
    int height = 0;
    std::vector<PaletteEntry> palette;
    std::vector<uint8_t> pixels; // palette indexes, row by row

    uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool hasTransparency() const;
};

// Reads pixel-art statements; the caller hands over each statement of its
// block and asks `complete` at the block's end.
class PixelArtReader {
public:
    explicit PixelArtReader(SourceReader& reader)
        : reader_(reader)
    {
    }
    // True when the statement was one of size, colour/color, pixels.
    bool take(const Statement& s, Arguments& args);
    const PixelArt& complete(const Statement& opening);

private:
    SourceReader& reader_;
    PixelArt art_;
    bool haveSize_ = false;
    bool havePixels_ = false;
};

} // namespace rescomp
