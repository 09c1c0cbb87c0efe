#include "RgbaPng.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writeRgbaPng(const std::string& path, const std::vector<uint32_t>& rgba, int side, std::string& error)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(size_t(side) * 4);
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(side), png_uint_32(side), 8, PNG_COLOR_TYPE_RGB_ALPHA,
            PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                uint32_t p = rgba[size_t(y) * size_t(side) + size_t(x)];
                for (int c = 0; c < 4; ++c)
                    row[size_t(x) * 4 + size_t(c)] = png_byte(p >> (24 - 8 * c));
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, info);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok)
        error = "cannot write " + path + " as a PNG";
    return ok;
}
