#include "ScreenFixture.h"

#include <algorithm>

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
    std::string out;
    for (int v = top; v < bottom; ++v) {
        for (int h = left; h < right; ++h) {
            switch (pixelAt(h, v)) {
            case 0x000000:
                out += '#';
                break;
            case 0xFFFFFF:
                out += '.';
                break;
            case 0xFF0000:
                out += 'r';
                break;
            case 0x00FF00:
                out += 'g';
                break;
            case 0x0000FF:
                out += 'b';
                break;
            case 0xEEEEEE:
                out += 'e';
                break;
            default:
                out += '?';
            }
        }
        out += '\n';
    }
    return out;
}

} // namespace qdtest
