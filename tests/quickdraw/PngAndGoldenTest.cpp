// PNG files round-trip exactly; the golden helper fails loudly and updates
// only when told to.
#include "image/Png.h"
#include "testkit/Files.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const toolbox::Image kSmall {3, 2, {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456}};

TEST(Png, RoundTripsEveryPixelAndFailsWithAReason)
{
    testkit::TempDir dir;
    const std::string path = (dir.path() / "small.png").string();
    std::string error;
    ASSERT_TRUE(toolbox::writePNG(path, kSmall, &error)) << error;
    toolbox::Image back;
    ASSERT_TRUE(toolbox::readPNG(path, back, &error)) << error;
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, kSmall.pixels);

    EXPECT_FALSE(toolbox::writePNG("/nonexistent-korv-dir/out.png", kSmall, &error));
    EXPECT_NE(error.find("/nonexistent-korv-dir/out.png"), std::string::npos) << error;
    testkit::writeText(path, "not a png at all");
    error.clear();
    EXPECT_FALSE(toolbox::readPNG(path, back, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(toolbox::readPNG((dir.path() / "missing.png").string(), back, &error));
}

TEST(Golden, MissingFailsUpdateWritesAndAMismatchNamesTheFirstDifference)
{
    testkit::TempDir dir;
    setenv("KORV_GOLDEN_DIR", dir.path().c_str(), 1);
    setenv("UPDATE_GOLDENS", "0", 1);
    testing::AssertionResult missing = golden::matchesGolden(kSmall, "selftest/small");
    EXPECT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("missing golden"), std::string::npos) << missing.message();
    setenv("UPDATE_GOLDENS", "1", 1);
    EXPECT_TRUE(golden::matchesGolden(kSmall, "selftest/small"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "selftest" / "small.png"));
    setenv("UPDATE_GOLDENS", "0", 1);
    EXPECT_TRUE(golden::matchesGolden(kSmall, "selftest/small"));

    toolbox::Image changed = kSmall;
    changed.pixels[4] = 0x000000; // (1, 1)
    changed.pixels[5] = 0x000000; // (2, 1)
    testing::AssertionResult r = golden::matchesGolden(changed, "selftest/small");
    EXPECT_FALSE(r);
    const std::string message = r.message();
    for (const char* part : {"2 pixel(s) differ", "first at (1, 1): expected #0000FF, actual #000000",
             "small.actual.png", "small.diff.png"})
        EXPECT_NE(message.find(part), std::string::npos) << message;
    testing::AssertionResult sized
        = golden::matchesGolden({4, 2, std::vector<uint32_t>(8, 0)}, "selftest/small");
    EXPECT_FALSE(sized);
    EXPECT_NE(std::string(sized.message()).find("3x2"), std::string::npos) << sized.message();
    EXPECT_FALSE(golden::matchesGolden(kSmall, "../escape"));
    EXPECT_FALSE(golden::matchesGolden(kSmall, "/abs/path"));
    unsetenv("KORV_GOLDEN_DIR");
    unsetenv("UPDATE_GOLDENS");
}

} // namespace
