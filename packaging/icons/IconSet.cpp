// korv_iconset: the application's colour icon as the hicolor PNGs of a
// desktop entry. The icon is drawn by the toolbox itself (PlotCIcon) at a
// whole multiple of its own size, once over white and once over black: a
// pixel that comes out the same on both is the icon's, one that differs is
// background. Sizes that are no whole multiple of the icon (16, 48 for a
// 32-pixel icon) are drawn larger and averaged down, so edges stay even.
//
// usage: korv_iconset RESOURCE_FILE ICON_ID BASE_SIZE OUTPUT_DIR NAME SIZE...
// writes OUTPUT_DIR/SIZExSIZE/apps/NAME.png for each SIZE.
#include "RgbaPng.h"

#include <HostResourceFiles.h>
#include <Quickdraw.h>
#include <Resources.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: korv_iconset RESOURCE_FILE ICON_ID BASE_SIZE OUTPUT_DIR NAME SIZE...\n");
    return 1;
}

bool parseNumber(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (!*text || *end || n < low || n > high)
        return false;
    value = int(n);
    return true;
}

// The icon plotted into a side x side world filled with `background`.
std::vector<uint32_t> plotOver(CIconHandle icon, int side, const RGBColor& background)
{
    Rect bounds {0, 0, short(side), short(side)};
    GWorldPtr world = nullptr;
    if (NewGWorld(&world, 32, &bounds, nullptr, nullptr, 0) != noErr)
        return {};
    CGrafPtr savedPort;
    GDHandle savedDevice;
    GetGWorld(&savedPort, &savedDevice);
    SetGWorld(world, nullptr);
    RGBBackColor(&background);
    EraseRect(&bounds);
    PlotCIcon(&bounds, icon);

    PixMapHandle pixMap = GetGWorldPixMap(world);
    LockPixels(pixMap);
    std::vector<uint32_t> pixels(size_t(side) * size_t(side));
    const auto* base = reinterpret_cast<const uint8_t*>((**pixMap).baseAddr);
    size_t rowBytes = size_t((**pixMap).rowBytes & 0x3FFF);
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(base + size_t(y) * rowBytes);
        for (int x = 0; x < side; ++x)
            pixels[size_t(y) * size_t(side) + size_t(x)] = row[x] & 0xFFFFFF;
    }
    UnlockPixels(pixMap);
    SetGWorld(savedPort, savedDevice);
    DisposeGWorld(world);
    return pixels;
}

// Averages each factor x factor block of the drawn icon into one RGBA pixel:
// the colour of the icon's pixels in the block, the share of them as alpha.
std::vector<uint32_t> boxDown(
    const std::vector<uint32_t>& overWhite, const std::vector<uint32_t>& overBlack, int side, int factor)
{
    int out = side / factor;
    std::vector<uint32_t> rgba(size_t(out) * size_t(out));
    for (int oy = 0; oy < out; ++oy) {
        for (int ox = 0; ox < out; ++ox) {
            unsigned r = 0, g = 0, b = 0, opaque = 0;
            for (int y = oy * factor; y < (oy + 1) * factor; ++y) {
                for (int x = ox * factor; x < (ox + 1) * factor; ++x) {
                    size_t i = size_t(y) * size_t(side) + size_t(x);
                    if (overWhite[i] != overBlack[i])
                        continue;
                    r += (overWhite[i] >> 16) & 0xFF;
                    g += (overWhite[i] >> 8) & 0xFF;
                    b += overWhite[i] & 0xFF;
                    ++opaque;
                }
            }
            uint32_t pixel = 0;
            if (opaque) {
                unsigned total = unsigned(factor * factor);
                unsigned alpha = (255 * opaque + total / 2) / total;
                pixel = ((r / opaque) << 24) | ((g / opaque) << 16) | ((b / opaque) << 8) | alpha;
            }
            rgba[size_t(oy) * size_t(out) + size_t(ox)] = pixel;
        }
    }
    return rgba;
}

} // namespace

int main(int argc, char** argv)
{
    int iconId = 0, base = 0;
    if (argc < 7 || !parseNumber(argv[2], -32768, 32767, iconId) || !parseNumber(argv[3], 1, 256, base))
        return usage();
    std::filesystem::path outputDir = argv[4];
    std::string name = argv[5];

    SInt16 refNum = 0;
    if (OSErr err = toolbox::openResourceFileAtPath(argv[1], fsRdPerm, &refNum); err != noErr) {
        std::fprintf(stderr, "korv_iconset: cannot open %s as a resource file (error %d)\n", argv[1], err);
        return 1;
    }
    CIconHandle icon = GetCIcon(short(iconId));
    if (!icon) {
        std::fprintf(stderr, "korv_iconset: %s has no colour icon %d\n", argv[1], iconId);
        return 1;
    }

    const RGBColor white {0xFFFF, 0xFFFF, 0xFFFF}, black {0, 0, 0};
    for (int i = 6; i < argc; ++i) {
        int size = 0;
        if (!parseNumber(argv[i], 1, 1024, size))
            return usage();
        int drawn = std::lcm(size, base);
        if (drawn > 4096) {
            std::fprintf(stderr, "korv_iconset: size %d cannot be drawn evenly from %d\n", size, base);
            return 1;
        }
        std::vector<uint32_t> overWhite = plotOver(icon, drawn, white);
        std::vector<uint32_t> overBlack = plotOver(icon, drawn, black);
        if (overWhite.empty() || overBlack.empty()) {
            std::fprintf(stderr, "korv_iconset: no room to draw the icon at %d pixels\n", drawn);
            return 1;
        }
        std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::path folder = outputDir / sizeName / "apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        std::string error;
        if (ec
            || !writeRgbaPng((folder / (name + ".png")).string(),
                boxDown(overWhite, overBlack, drawn, drawn / size), size, error)) {
            std::fprintf(stderr, "korv_iconset: %s\n", ec ? ec.message().c_str() : error.c_str());
            return 1;
        }
    }
    DisposeCIcon(icon);
    CloseResFile(refNum);
    return 0;
}
