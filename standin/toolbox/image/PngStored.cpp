// PNG writing without libpng, for the static PowerPC build: the image data
// goes into the zlib stream in stored (uncompressed) deflate blocks, which
// every PNG reader accepts. Every multi-byte field is put together byte by
// byte, so the file is the same on either byte order. Reading needs libpng.
#include "image/Png.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace toolbox {

namespace {

void fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what;
}

const std::array<uint32_t, 256>& crcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t {};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void putBig32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

void putChunk(std::vector<uint8_t>& file, const char type[4], const std::vector<uint8_t>& data)
{
    putBig32(file, uint32_t(data.size()));
    const size_t typeAt = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = typeAt; i < file.size(); ++i)
        crc = crcTable()[(crc ^ file[i]) & 0xFF] ^ (crc >> 8);
    putBig32(file, crc ^ 0xFFFFFFFFu);
}

// The zlib stream of the filtered rows (filter type 0 before each row).
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> z {0x78, 0x01};
    constexpr size_t kMaxBlock = 65535;
    size_t at = 0;
    do {
        const size_t length = std::min(kMaxBlock, raw.size() - at);
        const bool last = at + length == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(length));
        z.push_back(uint8_t(length >> 8));
        z.push_back(uint8_t(~length));
        z.push_back(uint8_t(~length >> 8));
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + length));
        at += length;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(z, (b << 16) | a);
    return z;
}

} // namespace

bool writePNG(const std::string& path, const uint32_t* pixels, int w, int h, int stride, std::string* error)
{
    if (w <= 0 || h <= 0 || stride < w || !pixels) {
        fail(error, "no image to write");
        return false;
    }
    std::vector<uint8_t> raw;
    raw.reserve(size_t(h) * (size_t(w) * 3 + 1));
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = pixels + size_t(y) * size_t(stride);
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            raw.push_back(uint8_t(row[x] >> 16));
            raw.push_back(uint8_t(row[x] >> 8));
            raw.push_back(uint8_t(row[x]));
        }
    }
    std::vector<uint8_t> file {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig32(header, uint32_t(w));
    putBig32(header, uint32_t(h));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no filter choice, not interlaced
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", zlibStored(raw));
    putChunk(file, "IEND", {});

    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        fail(error, path + ": " + std::strerror(errno));
        return false;
    }
    bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (std::fclose(out) != 0)
        ok = false;
    if (!ok)
        fail(error, path + ": " + std::strerror(errno));
    return ok;
}

bool readPNG(const std::string& path, Image&, std::string* error)
{
    fail(error, path + ": this build reads no PNG (it has no libpng)");
    return false;
}

} // namespace toolbox
