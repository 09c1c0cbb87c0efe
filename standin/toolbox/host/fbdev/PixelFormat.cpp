#include "host/fbdev/PixelFormat.h"

#include <cstring>

namespace toolbox {

namespace {

// The component levels of the colour table's ramps: those of 0x00 to 0xFF
// that are not already in the cube (multiples of 0x33).
constexpr uint8_t kRamp[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};
constexpr int kRedRamp = 215, kGreenRamp = 225, kBlueRamp = 235, kGreyRamp = 245, kBlack = 255;

int rampStep(uint8_t level)
{
    for (int i = 0; i < 10; ++i) {
        if (kRamp[i] == level)
            return i;
    }
    return -1;
}

// The entry holding exactly this colour, or -1.
int exactIndex(uint8_t r, uint8_t g, uint8_t b)
{
    if (r % 0x33 == 0 && g % 0x33 == 0 && b % 0x33 == 0) {
        int index = (5 - r / 0x33) * 36 + (5 - g / 0x33) * 6 + (5 - b / 0x33);
        return index == 215 ? kBlack : index;
    }
    if (r == g && g == b)
        return rampStep(r) < 0 ? -1 : kGreyRamp + rampStep(r);
    if (g == 0 && b == 0)
        return rampStep(r) < 0 ? -1 : kRedRamp + rampStep(r);
    if (r == 0 && b == 0)
        return rampStep(g) < 0 ? -1 : kGreenRamp + rampStep(g);
    if (r == 0 && g == 0)
        return rampStep(b) < 0 ? -1 : kBlueRamp + rampStep(b);
    return -1;
}

uint8_t nearestIndex(int r, int g, int b)
{
    const auto& table = macColourTable();
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        int dr = int(table[size_t(i)] >> 16 & 0xFF) - r;
        int dg = int(table[size_t(i)] >> 8 & 0xFF) - g;
        int db = int(table[size_t(i)] & 0xFF) - b;
        long distance = long(dr) * dr + long(dg) * dg + long(db) * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return uint8_t(best);
}

uint32_t reverseBits(uint32_t value, int length)
{
    uint32_t out = 0;
    for (int i = 0; i < length; ++i)
        out |= (value >> i & 1u) << (length - 1 - i);
    return out;
}

// An 8-bit component at the field's width (rounded), placed in the field.
uint32_t encode(uint32_t component, const ColourField& field)
{
    if (field.length <= 0)
        return 0;
    const uint32_t max = field.length >= 32 ? 0xFFFFFFFFu : (1u << field.length) - 1;
    uint32_t value = uint32_t((uint64_t(component) * max + 127) / 255);
    if (field.msbRight)
        value = reverseBits(value, field.length);
    return value << field.offset;
}

} // namespace

const std::array<uint32_t, 256>& macColourTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t {};
        for (int i = 0; i < 215; ++i) {
            uint32_t r = uint32_t(5 - i / 36) * 0x33, g = uint32_t(5 - i / 6 % 6) * 0x33,
                     b = uint32_t(5 - i % 6) * 0x33;
            t[size_t(i)] = r << 16 | g << 8 | b;
        }
        for (int i = 0; i < 10; ++i) {
            uint32_t level = kRamp[i];
            t[size_t(kRedRamp + i)] = level << 16;
            t[size_t(kGreenRamp + i)] = level << 8;
            t[size_t(kBlueRamp + i)] = level;
            t[size_t(kGreyRamp + i)] = level << 16 | level << 8 | level;
        }
        t[kBlack] = 0;
        return t;
    }();
    return table;
}

PixelConverter::PixelConverter(const PixelFormat& format)
    : format_(format)
    , bytes_((format.bitsPerPixel + 7) / 8)
{
    if (format.indexed) {
        inverse_.assign(32 * 32 * 32, -1);
        initRecent();
        return;
    }
    for (uint32_t c = 0; c < 256; ++c) {
        red_[c] = encode(c, format.red);
        green_[c] = encode(c, format.green);
        blue_[c] = encode(c, format.blue);
    }
    // Devices that honour an alpha channel get an opaque one.
    opaque_ = encode(255, format.transp);
    initRecent();
}

void PixelConverter::initRecent()
{
    Converted black;
    store(pixelValue(0), black.bytes);
    recent_.fill(black);
}

uint32_t PixelConverter::pixelValue(uint32_t rgb) const
{
    const uint8_t r = uint8_t(rgb >> 16), g = uint8_t(rgb >> 8), b = uint8_t(rgb);
    if (format_.indexed) {
        if (int exact = exactIndex(r, g, b); exact >= 0)
            return uint32_t(exact);
        // Found when first needed: a screen uses a few hundred colours at most.
        int16_t& nearest = inverse_[size_t((r >> 3) << 10 | (g >> 3) << 5 | b >> 3)];
        if (nearest < 0) {
            auto level = [](uint8_t c) { return (c >> 3) * 255 / 31; };
            nearest = nearestIndex(level(r), level(g), level(b));
        }
        return uint32_t(nearest);
    }
    return red_[r] | green_[g] | blue_[b] | opaque_;
}

void PixelConverter::store(uint32_t value, uint8_t* out) const
{
    for (int i = 0; i < bytes_; ++i) {
        int shift = format_.bigEndian ? 8 * (bytes_ - 1 - i) : 8 * i;
        out[i] = uint8_t(value >> shift);
    }
}

// One source row into device bytes, each pixel repeated `scale` times; the
// size a constant, so each pixel is one store. Runs of one colour convert once.
template<int Bytes>
void PixelConverter::expandRow(const uint32_t* in, int width, int scale, uint8_t* out) const
{
    const Converted* last = &converted(in[0]);
    for (int x = 0; x < width; ++x) {
        if (in[x] != last->rgb)
            last = &converted(in[x]);
        for (int s = 0; s < scale; ++s, out += Bytes)
            std::memcpy(out, last->bytes, Bytes);
    }
}

// Text and controls alternate between a few colours: each is converted once.
const PixelConverter::Converted& PixelConverter::converted(uint32_t rgb) const
{
    Converted& slot = recent_[(rgb ^ rgb >> 8 ^ rgb >> 16) & 0xFF];
    if (slot.rgb != rgb) {
        slot.rgb = rgb;
        store(pixelValue(rgb), slot.bytes);
    }
    return slot;
}

void PixelConverter::copy(const uint32_t* src, int srcStride, const Rect& area, const Placement& at,
    uint8_t* device, size_t lineLength) const
{
    const int width = area.right - area.left;
    if (width <= 0 || area.bottom <= area.top)
        return;
    const int scale = at.scale;
    const size_t rowBytes = size_t(width) * size_t(scale) * size_t(bytes_);
    row_.resize(rowBytes);
    const size_t column = size_t(at.x + area.left * scale) * size_t(bytes_);
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* in = src + size_t(y) * size_t(srcStride) + size_t(area.left);
        switch (bytes_) {
        case 1:
            expandRow<1>(in, width, scale, row_.data());
            break;
        case 2:
            expandRow<2>(in, width, scale, row_.data());
            break;
        case 3:
            expandRow<3>(in, width, scale, row_.data());
            break;
        default:
            expandRow<4>(in, width, scale, row_.data());
            break;
        }
        for (int s = 0; s < scale; ++s) {
            const size_t line = size_t(at.y + y * scale + s);
            std::memcpy(device + line * lineLength + column, row_.data(), rowBytes);
        }
    }
}

void PixelConverter::fill(
    uint32_t rgb, int x, int y, int width, int height, uint8_t* device, size_t lineLength) const
{
    if (width <= 0 || height <= 0)
        return;
    uint8_t bytes[4];
    store(pixelValue(rgb), bytes);
    row_.resize(size_t(width) * size_t(bytes_));
    for (int i = 0; i < width; ++i)
        std::memcpy(row_.data() + size_t(i) * size_t(bytes_), bytes, size_t(bytes_));
    for (int line = y; line < y + height; ++line)
        std::memcpy(
            device + size_t(line) * lineLength + size_t(x) * size_t(bytes_), row_.data(), row_.size());
}

} // namespace toolbox
