// A bounds-checked reader of big-endian resource data. Every read past the
// end fails (and keeps failing), so a decoder checks once, at the end of a
// step, instead of before every field.
#pragma once

#include <MacTypes.h>

#include <cstddef>
#include <cstdint>

namespace toolbox {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size)
        : data_(data)
        , size_(size)
    {
    }

    bool ok() const { return ok_; }
    size_t offset() const { return pos_; }
    size_t remaining() const { return ok_ ? size_ - pos_ : 0; }

    uint8_t u8()
    {
        const uint8_t* p = take(1);
        return p ? p[0] : 0;
    }
    uint16_t u16()
    {
        const uint8_t* p = take(2);
        return p ? uint16_t((p[0] << 8) | p[1]) : 0;
    }
    int16_t s16() { return int16_t(u16()); }
    uint32_t u32()
    {
        const uint8_t* p = take(4);
        return p ? (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3] : 0;
    }
    Rect rect()
    {
        Rect r;
        r.top = s16();
        r.left = s16();
        r.bottom = s16();
        r.right = s16();
        return r;
    }
    // n bytes in place, or nullptr (and failure) if fewer remain.
    const uint8_t* take(size_t n)
    {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    void skip(size_t n) { take(n); }
    // Moves to an even offset from the start.
    void align2()
    {
        if (pos_ & 1)
            skip(1);
    }
    void fail() { ok_ = false; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Unpacks PackBits data from `in` into exactly `length` bytes at `out`.
// False when the packed data runs short, or would overrun `length`.
bool unpackBits(ByteReader& in, size_t packedLength, uint8_t* out, size_t length);

} // namespace toolbox
