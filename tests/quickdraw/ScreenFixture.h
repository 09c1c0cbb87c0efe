// A clean white screen and one port whose content sits at global (200, 100),
// 60 wide and 40 high, current for the test; plus a way to read a patch of
// the screen as text, one character a pixel.
#pragma once

#include "quickdraw/Framebuffer.h"
#include "quickdraw/Ports.h"

#include <Quickdraw.h>
#include <gtest/gtest.h>

#include <string>

namespace qdtest {

constexpr short kPortLeft = 200;
constexpr short kPortTop = 100;

class ScreenTest : public ::testing::Test {
public:
    // Rows of the port-local area [left, right) x [top, bottom), '\n' after
    // each: '#' black, '.' white, 'r' red, 'g' green, 'b' blue, 'e' the
    // 0xEEEEEE pane grey, '?' anything else.
    std::string art(int left, int top, int right, int bottom) const;
    // The pixel at a port-local position.
    uint32_t pixelAt(int h, int v) const;

protected:
    void SetUp() override;
    void TearDown() override;

    GrafPort port {};
};

inline RGBColor rgb(UInt16 r, UInt16 g, UInt16 b)
{
    return RGBColor {r, g, b};
}

} // namespace qdtest
