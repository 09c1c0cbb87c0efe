// PNG files round-trip exactly; the golden helper fails loudly and updates
// only when told to.
#include "testkit/Golden.h"
#include "image/Png.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/korv-png-XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value)
        : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            had_ = true;
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

const toolbox::Image kSmall {3, 2, {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456}};

TEST(Png, RoundTripsEveryPixel)
{
    TempDir dir;
    std::string path = (dir.path() / "small.png").string();
    std::string error;
    ASSERT_TRUE(toolbox::writePNG(path, kSmall, &error)) << error;
    toolbox::Image back;
    ASSERT_TRUE(toolbox::readPNG(path, back, &error)) << error;
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, kSmall.pixels);
}

TEST(Png, WritingWhereItCannotFailsWithAReason)
{
    std::string error;
    EXPECT_FALSE(toolbox::writePNG("/nonexistent-korv-dir/out.png", kSmall, &error));
    EXPECT_NE(error.find("/nonexistent-korv-dir/out.png"), std::string::npos) << error;
}

TEST(Png, ReadingGarbageFailsWithAReason)
{
    TempDir dir;
    std::string path = (dir.path() / "bad.png").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("not a png at all", f);
    std::fclose(f);
    toolbox::Image image;
    std::string error;
    EXPECT_FALSE(toolbox::readPNG(path, image, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(toolbox::readPNG((dir.path() / "missing.png").string(), image, &error));
}

TEST(Golden, MissingGoldenFails)
{
    TempDir dir;
    ScopedEnv root("KORV_GOLDEN_DIR", dir.path().string());
    ScopedEnv noUpdate("UPDATE_GOLDENS", "0");
    testing::AssertionResult r = golden::matchesGolden(kSmall, "selftest/missing");
    EXPECT_FALSE(r);
    EXPECT_NE(std::string(r.message()).find("missing golden"), std::string::npos) << r.message();
}

TEST(Golden, UpdateWritesThenComparisonPassesAndThenNamesTheFirstDifference)
{
    TempDir dir;
    ScopedEnv root("KORV_GOLDEN_DIR", dir.path().string());
    {
        ScopedEnv update("UPDATE_GOLDENS", "1");
        EXPECT_TRUE(golden::matchesGolden(kSmall, "selftest/small"));
    }
    EXPECT_TRUE(fs::exists(dir.path() / "selftest" / "small.png"));
    ScopedEnv noUpdate("UPDATE_GOLDENS", "0");
    EXPECT_TRUE(golden::matchesGolden(kSmall, "selftest/small"));

    toolbox::Image changed = kSmall;
    changed.pixels[4] = 0x000000; // (1, 1)
    changed.pixels[5] = 0x000000; // (2, 1)
    testing::AssertionResult r = golden::matchesGolden(changed, "selftest/small");
    EXPECT_FALSE(r);
    std::string message = r.message();
    EXPECT_NE(message.find("2 pixel(s) differ"), std::string::npos) << message;
    EXPECT_NE(message.find("first at (1, 1): expected #0000FF, actual #000000"), std::string::npos)
        << message;
    EXPECT_NE(message.find("small.actual.png"), std::string::npos) << message;
    EXPECT_NE(message.find("small.diff.png"), std::string::npos) << message;

    toolbox::Image wider {4, 2, std::vector<uint32_t>(8, 0)};
    testing::AssertionResult sized = golden::matchesGolden(wider, "selftest/small");
    EXPECT_FALSE(sized);
    EXPECT_NE(std::string(sized.message()).find("3x2"), std::string::npos) << sized.message();
}

TEST(Golden, RefusesNamesOutsideTheImagesFolder)
{
    EXPECT_FALSE(golden::matchesGolden(kSmall, "../escape"));
    EXPECT_FALSE(golden::matchesGolden(kSmall, "/abs/path"));
}

} // namespace
