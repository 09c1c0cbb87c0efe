#include "quickdraw/IndexedImage.h"

namespace toolbox {

bool unpackBits(ByteReader& in, size_t packedLength, uint8_t* out, size_t length)
{
    const uint8_t* src = in.take(packedLength);
    if (!src)
        return false;
    size_t s = 0, d = 0;
    while (s < packedLength && d < length) {
        auto n = int8_t(src[s++]);
        if (n >= 0) {
            size_t count = size_t(n) + 1;
            if (s + count > packedLength || d + count > length)
                return false;
            for (size_t i = 0; i < count; ++i)
                out[d++] = src[s++];
        } else if (n != -128) {
            size_t count = size_t(1 - n);
            if (s >= packedLength || d + count > length)
                return false;
            uint8_t value = src[s++];
            for (size_t i = 0; i < count; ++i)
                out[d++] = value;
        }
    }
    return d == length;
}

bool readColorTable(ByteReader& in, Palette& palette)
{
    palette.fill(0);
    in.u32(); // seed
    uint16_t flags = in.u16();
    int16_t size = in.s16(); // entries - 1
    if (!in.ok() || size < -1 || size > 255)
        return false;
    for (int i = 0; i <= size; ++i) {
        uint16_t value = in.u16();
        uint16_t r = in.u16(), g = in.u16(), b = in.u16();
        // A device table numbers its entries by position.
        unsigned index = (flags & 0x8000) ? unsigned(i) : (value & 0xFF);
        palette[index] = (uint32_t(r >> 8) << 16) | (uint32_t(g >> 8) << 8) | uint32_t(b >> 8);
    }
    return in.ok();
}

} // namespace toolbox
