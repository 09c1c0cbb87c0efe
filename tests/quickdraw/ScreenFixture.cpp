#include "ScreenFixture.h"

#include <algorithm>
#include <map>

namespace qdtest {

void ScreenTest::SetUp()
{
    toolbox::Framebuffer& fb = toolbox::screen();
    std::fill(fb.pixels(), fb.pixels() + size_t(fb.stride()) * size_t(fb.height()), 0xFFFFFFu);
    fb.takeDirty();
    toolbox::initPort(&port, Rect {kPortTop, kPortLeft, kPortTop + 40, kPortLeft + 60});
    SetPort(&port);
}

void ScreenTest::TearDown()
{
    toolbox::closePort(&port);
}

uint32_t ScreenTest::pixelAt(int h, int v) const
{
    return toolbox::screen().pixel(kPortLeft + h, kPortTop + v);
}

std::string ScreenTest::art(int left, int top, int right, int bottom) const
{
    static const std::map<uint32_t, char> kChars {
        {0x000000, '#'}, {0xFFFFFF, '.'}, {0xFF0000, 'r'}, {0x00FF00, 'g'}, {0x0000FF, 'b'}, {0xEEEEEE, 'e'}};
    std::string out;
    for (int v = top; v < bottom; ++v) {
        for (int h = left; h < right; ++h) {
            auto it = kChars.find(pixelAt(h, v));
            out += it == kChars.end() ? '?' : it->second;
        }
        out += '\n';
    }
    return out;
}

} // namespace qdtest
