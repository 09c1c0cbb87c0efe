#include "AppTestSupport.h"

#include <image/Png.h>
#include <testkit/Golden.h>

#include <gtest/gtest.h>

namespace apptest {

AppRun runTarnwickAsNobody(testkit::ScopedMachine& machine, const std::string& script)
{
    // The startup item's folder keeps root's 0755, so writing there is refused.
    machine.openForReading();
    return testkit::runScripted("tarnwick-x", script, {}, true);
}

std::vector<uint32_t> writesByApp(testkit::ScopedMachine& machine, const std::string& node)
{
    std::vector<uint32_t> values;
    for (const auto& write : machine.writes("tarnwick-x", node))
        values.push_back(write.newWord);
    return values;
}

bool sameRegion(const fs::path& a, const fs::path& b, int left, int top, int right, int bottom)
{
    toolbox::Image first, second;
    if (!toolbox::readPNG(a.string(), first) || !toolbox::readPNG(b.string(), second))
        return false;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (first.at(x, y) != second.at(x, y))
                return false;
    return true;
}

void expectWindowMatchesGolden(const fs::path& snapshot, const std::string& name, int contentHeight)
{
    toolbox::Image screen;
    std::string error;
    ASSERT_TRUE(toolbox::readPNG(snapshot.string(), screen, &error)) << snapshot << ": " << error;
    constexpr int left = 150, top = 60, width = 370;
    ASSERT_LE(top + contentHeight, screen.height);
    toolbox::Image content;
    content.width = width;
    content.height = contentHeight;
    for (int y = top; y < top + contentHeight; ++y)
        for (int x = left; x < left + width; ++x)
            content.pixels.push_back(screen.at(x, y));
    EXPECT_TRUE(golden::matchesGolden(content, "app/" + name));
}

} // namespace apptest
