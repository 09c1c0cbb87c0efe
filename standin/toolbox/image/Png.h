// PNG files for screenshots and golden images: through libpng, or, in a build
// without it, written uncompressed by the toolbox and not read at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace toolbox {

// An RGB image: 0x00RRGGBB pixels, rows packed (width pixels each).
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Writes w x h pixels (stride in pixels per row) as an 8-bit RGB PNG.
// Returns false and describes the failure in *error if it could not.
bool writePNG(
    const std::string& path, const uint32_t* pixels, int w, int h, int stride, std::string* error = nullptr);
inline bool writePNG(const std::string& path, const Image& image, std::string* error = nullptr)
{
    if (image.pixels.size() != size_t(image.width) * size_t(image.height)) {
        if (error)
            *error = "image size does not match its pixels";
        return false;
    }
    return writePNG(path, image.pixels.data(), image.width, image.height, image.width, error);
}

// Reads any PNG (palette, grey, 16-bit and alpha are converted; alpha is
// dropped). Returns false and describes the failure in *error if it could not.
bool readPNG(const std::string& path, Image& image, std::string* error = nullptr);

} // namespace toolbox
