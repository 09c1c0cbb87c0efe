// The toolbox's 0x00RRGGBB screen turned into the pixels of a Linux
// framebuffer, whatever its layout: an index into the Mac's 256-colour table
// on an 8-bit pseudocolour device, else the colour packed into the bit fields
// the device reports, stored in its byte order, scaled by a whole number.
// No device access here: the host hands in the mapped memory.
#pragma once

#include <MacTypes.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace toolbox {

struct ColourField {
    int offset = 0;
    int length = 0;
    bool msbRight = false; // the field's most significant bit is its lowest
};

struct PixelFormat {
    int bitsPerPixel = 32; // 8, 15, 16, 24 or 32
    bool indexed = false; // pseudocolour: a pixel is an index into the Mac's colour table
    ColourField red, green, blue, transp;
    bool bigEndian = false; // the most significant byte of a pixel comes first in memory
};

// Where the source's (0,0) lands on the device, and the whole-number scale.
struct Placement {
    int x = 0;
    int y = 0;
    int scale = 1;
};

// The standard colour table of an 8-bit Macintosh screen: the 6x6x6 cube from
// white down, ramps of red, green, blue and grey, black last.
const std::array<uint32_t, 256>& macColourTable();

class PixelConverter {
public:
    explicit PixelConverter(const PixelFormat& format);

    int bytesPerPixel() const { return bytes_; }
    // The device's pixel value for a 0x00RRGGBB colour.
    uint32_t pixelValue(uint32_t rgb) const;
    // Copies area (in source coordinates, already clipped to the source) of
    // src (stride in pixels) to the device memory whose rows are lineLength
    // bytes apart; the placement must keep it on the device.
    void copy(const uint32_t* src, int srcStride, const Rect& area, const Placement& at, uint8_t* device,
        size_t lineLength) const;
    // Fills width x height device pixels at (x, y) with one colour.
    void fill(uint32_t rgb, int x, int y, int width, int height, uint8_t* device, size_t lineLength) const;

private:
    struct Converted {
        uint32_t rgb = 0;
        uint8_t bytes[4] = {};
    };
    void store(uint32_t value, uint8_t* out) const;
    void initRecent();
    const Converted& converted(uint32_t rgb) const;
    template<int Bytes> void expandRow(const uint32_t* in, int width, int scale, uint8_t* out) const;

    PixelFormat format_;
    int bytes_;
    std::array<uint32_t, 256> red_ {}, green_ {}, blue_ {};
    uint32_t opaque_ = 0;
    // Indexed: the nearest table entry of each colour at 5 bits a component
    // (-1 until asked for).
    mutable std::vector<int16_t> inverse_;
    mutable std::array<Converted, 256> recent_ {};
    mutable std::vector<uint8_t> row_;
};

} // namespace toolbox
