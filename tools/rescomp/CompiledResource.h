// One resource as the compiler produces it, and a big-endian byte builder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rescomp {

struct PixelArt;

struct CompiledResource {
    uint32_t type = 0; // four-character code, first character most significant
    int16_t id = 0;
    std::string name; // Mac Roman, may be empty
    std::vector<uint8_t> data;
    std::string origin; // "file:line" of the block, for duplicate reports
    std::shared_ptr<const PixelArt> art; // the image it was made from, for icons and pictures
};

inline constexpr uint32_t fourCC(const char (&s)[5])
{
    return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) | (uint32_t(uint8_t(s[2])) << 8)
        | uint32_t(uint8_t(s[3]));
}

std::string fourCCText(uint32_t type);

class ByteWriter {
public:
    void u8(unsigned v) { bytes_.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v)
    {
        u8(v >> 8);
        u8(v);
    }
    void s16(int v) { u16(static_cast<uint16_t>(static_cast<int16_t>(v))); }
    void u32(uint32_t v)
    {
        u16(v >> 16);
        u16(v & 0xFFFF);
    }
    // Rect as stored: top, left, bottom, right.
    void rect(int top, int left, int bottom, int right)
    {
        s16(top);
        s16(left);
        s16(bottom);
        s16(right);
    }
    void pascal(const std::string& s)
    {
        u8(static_cast<unsigned>(s.size()));
        append(s);
    }
    void append(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void append(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void padToEven()
    {
        if (bytes_.size() % 2)
            u8(0);
    }
    void patch16(size_t at, unsigned v)
    {
        bytes_[at] = static_cast<uint8_t>(v >> 8);
        bytes_[at + 1] = static_cast<uint8_t>(v);
    }
    size_t size() const { return bytes_.size(); }
    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace rescomp
