// Building resource bytes by hand in tests: big-endian fields, written out
// in the order the formats lay them down.
#pragma once

#include <MacTypes.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace qdtest {

class Bytes {
public:
    Bytes& u8(uint8_t v)
    {
        data.push_back(v);
        return *this;
    }
    Bytes& u16(uint16_t v) { return u8(uint8_t(v >> 8)).u8(uint8_t(v)); }
    Bytes& u32(uint32_t v) { return u16(uint16_t(v >> 16)).u16(uint16_t(v)); }
    Bytes& rect(short top, short left, short bottom, short right)
    {
        return u16(uint16_t(top)).u16(uint16_t(left)).u16(uint16_t(bottom)).u16(uint16_t(right));
    }
    Bytes& raw(std::initializer_list<uint8_t> bytes)
    {
        data.insert(data.end(), bytes);
        return *this;
    }
    Bytes& zeros(size_t n)
    {
        data.insert(data.end(), n, 0);
        return *this;
    }
    Bytes& align()
    {
        if (data.size() & 1)
            data.push_back(0);
        return *this;
    }
    // A colour table of (r, g, b) 16-bit entries, numbered from 0.
    Bytes& colorTable(std::initializer_list<RGBColor> colours)
    {
        u32(0).u16(0).u16(uint16_t(colours.size() - 1));
        uint16_t i = 0;
        for (const RGBColor& c : colours)
            u16(i++).u16(c.red).u16(c.green).u16(c.blue);
        return *this;
    }
    // The PixMap fields that follow rowBytes and bounds (36 bytes).
    Bytes& pixMapFields(uint16_t packType, uint16_t pixelSize, uint16_t cmpCount, uint16_t cmpSize)
    {
        return u16(0)
            .u16(packType)
            .u32(0)
            .u32(0x00480000)
            .u32(0x00480000)
            .u16(pixelSize == 32 ? 16 : 0)
            .u16(pixelSize)
            .u16(cmpCount)
            .u16(cmpSize)
            .u32(0)
            .u32(0)
            .u32(0);
    }

    std::vector<uint8_t> data;
};

} // namespace qdtest
