// The Font Manager's side of text: the bitmap font strikes ('FONT'
// resources) behind QuickDraw's font numbers, found through the resource
// chain like any other resource, the System file at its bottom. Glyphs are
// cut from the strike once and kept, so text costs little after its first
// appearance.
#pragma once

#include <MacTypes.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace toolbox::text {

struct Glyph {
    int left = 0; // image origin relative to the pen, x to the right
    int top = 0; // rows of the image above the baseline
    int width = 0;
    int rows = 0;
    int advance = 0; // whole pixels, plain style
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

// What bold adds: QuickDraw draws a bold glyph a second time one pixel to the
// right and widens each advance by that pixel.
inline int boldExtra(const FontRequest& request)
{
    return (request.face & 1) ? 1 : 0;
}

struct Strike;

// The glyphs of one font request, for a run of text: looked up by code
// without searching the fonts again.
class Glyphs {
public:
    Glyphs(const Strike* strike, const Glyph& blank)
        : strike_(strike)
        , blank_(blank)
    {
    }
    const Glyph& operator[](unsigned char macRomanChar) const;

private:
    const Strike* strike_;
    const Glyph& blank_;
};

class FontLibrary {
public:
    static FontLibrary& instance();
    ~FontLibrary();

    // The plain glyph; the missing-character glyph for a code the font lacks.
    const Glyph& glyph(const FontRequest& request, unsigned char macRomanChar);
    Glyphs glyphs(const FontRequest& request);
    // Styled: bold widens widMax and each advance.
    Metrics metrics(const FontRequest& request);
    int advance(const FontRequest& request, unsigned char macRomanChar);
    int width(const FontRequest& request, const unsigned char* text, int count);

private:
    FontLibrary();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace toolbox::text
