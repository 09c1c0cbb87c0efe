#include "testkit/Golden.h"

#include "quickdraw/Framebuffer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace golden {

namespace fs = std::filesystem;

namespace {

fs::path goldenDirectory()
{
    if (const char* dir = std::getenv("KORV_GOLDEN_DIR"); dir && *dir)
        return dir;
    return KORV_GOLDEN_DIR;
}

bool updating()
{
    const char* v = std::getenv("UPDATE_GOLDENS");
    return v && std::string(v) == "1";
}

std::string hexColor(uint32_t p)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06X", unsigned(p & 0xFFFFFF));
    return buf;
}

bool validName(const std::string& name)
{
    fs::path p(name);
    if (name.empty() || p.is_absolute())
        return false;
    for (const auto& part : p)
        if (part == "..")
            return false;
    return true;
}

// Differing pixels in red; the rest the expected image faded towards white.
toolbox::Image diffImage(const toolbox::Image& expected, const toolbox::Image& actual)
{
    toolbox::Image d {expected.width, expected.height, std::vector<uint32_t>(expected.pixels.size())};
    for (size_t i = 0; i < d.pixels.size(); ++i) {
        if (expected.pixels[i] != actual.pixels[i]) {
            d.pixels[i] = 0xFF0000;
            continue;
        }
        uint32_t p = expected.pixels[i], faded = 0;
        for (int shift = 0; shift <= 16; shift += 8)
            faded |= ((((p >> shift) & 0xFF) + 3 * 0xFF) / 4) << shift;
        d.pixels[i] = faded;
    }
    return d;
}

} // namespace

testing::AssertionResult matchesGolden(const toolbox::Image& actual, const std::string& name)
{
    if (!validName(name))
        return testing::AssertionFailure() << "bad golden name \"" << name << "\"";
    fs::path golden = goldenDirectory() / (name + ".png");
    fs::path out = fs::path(KORV_GOLDEN_OUT_DIR) / name;
    std::string error;

    if (updating()) {
        std::error_code ec;
        fs::create_directories(golden.parent_path(), ec);
        if (!toolbox::writePNG(golden.string(), actual, &error))
            return testing::AssertionFailure() << "could not update golden: " << error;
        std::printf("updated golden %s\n", golden.c_str());
        return testing::AssertionSuccess();
    }

    std::error_code ec;
    fs::create_directories(out.parent_path(), ec);
    std::string actualPath = out.string() + ".actual.png";
    std::string diffPath = out.string() + ".diff.png";
    toolbox::writePNG(actualPath, actual, nullptr);

    if (!fs::exists(golden))
        return testing::AssertionFailure()
            << "missing golden " << golden.string() << " (actual image written to " << actualPath
            << "; run with UPDATE_GOLDENS=1 to accept it)";
    toolbox::Image expected;
    if (!toolbox::readPNG(golden.string(), expected, &error))
        return testing::AssertionFailure() << "unreadable golden: " << error;
    if (expected.width != actual.width || expected.height != actual.height)
        return testing::AssertionFailure() << "golden " << golden.string() << " is " << expected.width << "x"
                                           << expected.height << ", actual image is " << actual.width << "x"
                                           << actual.height << " (written to " << actualPath << ")";

    size_t differing = 0, first = 0;
    for (size_t i = 0; i < expected.pixels.size(); ++i) {
        if (expected.pixels[i] != actual.pixels[i]) {
            if (differing == 0)
                first = i;
            ++differing;
        }
    }
    if (differing == 0) {
        fs::remove(actualPath, ec);
        fs::remove(diffPath, ec);
        return testing::AssertionSuccess();
    }
    toolbox::writePNG(diffPath, diffImage(expected, actual), nullptr);
    int x = int(first % size_t(expected.width)), y = int(first / size_t(expected.width));
    return testing::AssertionFailure()
        << differing << " pixel(s) differ from golden " << golden.string() << "; first at (" << x << ", " << y
        << "): expected " << hexColor(expected.pixels[first]) << ", actual " << hexColor(actual.pixels[first])
        << "\n  actual: " << actualPath << "\n  diff:   " << diffPath;
}

testing::AssertionResult pngMatchesGolden(const std::string& pngPath, const std::string& name)
{
    toolbox::Image image;
    std::string error;
    if (!toolbox::readPNG(pngPath, image, &error))
        return testing::AssertionFailure() << "cannot read " << pngPath << ": " << error;
    return matchesGolden(image, name);
}

toolbox::Image screenImage(int left, int top, int right, int bottom)
{
    const toolbox::Framebuffer& fb = toolbox::screen();
    toolbox::Image image;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, fb.width());
    bottom = std::min(bottom, fb.height());
    if (right <= left || bottom <= top)
        return image;
    image.width = right - left;
    image.height = bottom - top;
    image.pixels.reserve(size_t(image.width) * size_t(image.height));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            image.pixels.push_back(fb.pixel(x, y));
    return image;
}

testing::AssertionResult screenMatchesGolden(const std::string& name)
{
    const toolbox::Framebuffer& fb = toolbox::screen();
    return matchesGolden(screenImage(0, 0, fb.width(), fb.height()), name);
}

void expectMatchesGolden(const toolbox::Image& actual, const std::string& name)
{
    EXPECT_TRUE(matchesGolden(actual, name));
}

void expectMatchesGolden(const std::string& pngPath, const std::string& name)
{
    EXPECT_TRUE(pngMatchesGolden(pngPath, name));
}

void expectScreenMatchesGolden(const std::string& name)
{
    EXPECT_TRUE(screenMatchesGolden(name));
}

} // namespace golden
