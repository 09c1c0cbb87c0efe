// The faces behind QuickDraw's font numbers, rendered by FreeType in
// monochrome with the fonts' own hinting, and cached per glyph so that text
// costs little after its first appearance.
#pragma once

#include <MacTypes.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace toolbox::text {

struct Glyph {
    int left = 0; // bitmap origin relative to the pen, x to the right
    int top = 0; // rows of the bitmap above the baseline
    int width = 0;
    int rows = 0;
    int advance = 0; // whole pixels
    std::vector<uint8_t> ink; // width * rows, 1 where the glyph is inked
};

struct Metrics {
    int ascent = 0;
    int descent = 0;
    int widMax = 0;
    int leading = 0;
};

// A font request as a port makes it.
struct FontRequest {
    short font = 0;
    short size = 0;
    unsigned char face = 0;
};

class FontLibrary {
public:
    static FontLibrary& instance();
    ~FontLibrary();

    const Glyph& glyph(const FontRequest& request, unsigned char macRomanChar);
    Metrics metrics(const FontRequest& request);
    int width(const FontRequest& request, const unsigned char* text, int count);
    // The file a request is drawn with ("" when no font file could be found).
    std::string fileFor(const FontRequest& request);

private:
    FontLibrary();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace toolbox::text
