// The title frame of the sample (band "Title Frame", frame 51 pixels high at
// (170, 249)-(500, 300) on the screen): it holds four lines, and each line
// after that scrolls the text up by one 12-pixel line.
#include "PanesTestSupport.h"

#include "image/Png.h"

#include <gtest/gtest.h>

using panes::runSample;

namespace {

constexpr int kLeft = 173; // the text area: frame left + 3 to right - 3
constexpr int kRight = 497;
constexpr int kFirstBaseline = 263; // frame top + 14
constexpr int kLineHeight = 12;

toolbox::Image load(const std::filesystem::path& path)
{
    toolbox::Image image;
    std::string error;
    EXPECT_TRUE(toolbox::readPNG(path.string(), image, &error)) << error;
    return image;
}

// The pixels of text line `line` (from 0) of the frame, from 8 rows above
// its baseline to 2 above: the sample's lines ("Line 1" ...) have no
// descenders, and the last line's baseline lies on the frame's groove.
std::vector<uint32_t> lineRows(const toolbox::Image& screen, int line)
{
    std::vector<uint32_t> rows;
    const int baseline = kFirstBaseline + kLineHeight * line;
    for (int y = baseline - 8; y <= baseline - 2; ++y)
        for (int x = kLeft; x < kRight; ++x)
            rows.push_back(screen.at(x, y));
    return rows;
}

bool blank(const std::vector<uint32_t>& rows)
{
    for (uint32_t pixel : rows)
        if (pixel != rows.front())
            return false;
    return true;
}

TEST(TitleFrame, HoldsFourLinesThenScrollsByOneLine)
{
    auto run = runSample("key t\nkey t\nkey t\nsnapshot @DIR@/three.png\n"
                         "key t\nsnapshot @DIR@/four.png\n"
                         "key t\nsnapshot @DIR@/five.png\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto three = load(run.snapshot("three.png"));
    const auto four = load(run.snapshot("four.png"));
    const auto five = load(run.snapshot("five.png"));
    ASSERT_EQ(five.width, 640);

    // The fourth line goes below the third without moving anything.
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(lineRows(four, line), lineRows(three, line)) << "line " << line;
    EXPECT_TRUE(blank(lineRows(three, 3)));
    EXPECT_FALSE(blank(lineRows(four, 3)));

    // The fifth drops "Line 1": what were lines 2 to 4 stand one line higher.
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(lineRows(five, line), lineRows(four, line + 1)) << "line " << line;
    EXPECT_NE(lineRows(five, 3), lineRows(four, 3));
    EXPECT_FALSE(blank(lineRows(five, 3)));
}

} // namespace
