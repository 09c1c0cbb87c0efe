// PNG reading and writing with libpng's simplified API, which converts any
// stored format to the 8-bit RGB the toolbox uses.
#include "image/Png.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace toolbox {

namespace {

void fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what;
}

} // namespace

bool writePNG(const std::string& path, const uint32_t* pixels, int w, int h, int stride, std::string* error)
{
    if (w <= 0 || h <= 0 || stride < w || !pixels) {
        fail(error, "no image to write");
        return false;
    }
    std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = pixels + size_t(y) * size_t(stride);
        uint8_t* out = &rgb[size_t(y) * size_t(w) * 3];
        for (int x = 0; x < w; ++x) {
            out[3 * x] = uint8_t(row[x] >> 16);
            out[3 * x + 1] = uint8_t(row[x] >> 8);
            out[3 * x + 2] = uint8_t(row[x]);
        }
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        fail(error, path + ": " + std::strerror(errno));
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = PNG_FORMAT_RGB;
    bool ok = png_image_write_to_stdio(&image, file, 0, rgb.data(), w * 3, nullptr) != 0;
    if (!ok)
        fail(error, path + ": " + image.message);
    // A failed flush (a full disk, say) is a failed write.
    if (std::fclose(file) != 0 && ok) {
        fail(error, path + ": " + std::strerror(errno));
        ok = false;
    }
    png_image_free(&image);
    return ok;
}

bool readPNG(const std::string& path, Image& result, std::string* error)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        fail(error, path + ": " + image.message);
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        fail(error, path + ": " + image.message);
        png_image_free(&image);
        return false;
    }
    result.width = int(image.width);
    result.height = int(image.height);
    result.pixels.resize(size_t(result.width) * size_t(result.height));
    for (size_t i = 0; i < result.pixels.size(); ++i)
        result.pixels[i] = (uint32_t(rgb[3 * i]) << 16) | (uint32_t(rgb[3 * i + 1]) << 8) | rgb[3 * i + 2];
    png_image_free(&image);
    return true;
}

} // namespace toolbox
