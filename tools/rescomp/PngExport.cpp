#include "PngExport.h"

#include <cstdio>
#include <png.h>
#include <vector>

namespace rescomp {

bool writeArtAsPng(const PixelArt& art, int scale, const std::string& path, std::string& error)
{
    const int width = art.width * scale;
    const int height = art.height * scale;
    std::vector<png_byte> pixels(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PaletteEntry& e = art.palette[art.at(x / scale, y / scale)];
            png_byte* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = static_cast<png_byte>(e.red >> 8);
            p[1] = static_cast<png_byte>(e.green >> 8);
            p[2] = static_cast<png_byte>(e.blue >> 8);
            p[3] = e.transparent ? 0 : 255;
        }
    }
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr)) {
        error = image.message;
        return false;
    }
    return true;
}

} // namespace rescomp
