// Golden-image checks for tests: an image (or a PNG a program wrote, or the
// toolbox's screen) must equal tests/golden/images/<area>/<name>.png pixel
// for pixel.
//
// - A missing golden fails the test.
// - UPDATE_GOLDENS=1 in the environment writes the image as the new golden
//   instead of comparing (and the check passes).
// - A mismatch names the number of differing pixels and the first one
//   (coordinates, expected and actual colour) and writes
//   <build>/golden-out/<area>/<name>.actual.png and .diff.png (differing
//   pixels red over a faded copy of the expected image).
// KORV_GOLDEN_DIR in the environment replaces the images folder.
#pragma once

#include "image/Png.h"

#include <gtest/gtest.h>

#include <string>

namespace golden {

testing::AssertionResult matchesGolden(const toolbox::Image& actual, const std::string& name);
testing::AssertionResult pngMatchesGolden(const std::string& pngPath, const std::string& name);
// The toolbox's whole 640x480 screen.
testing::AssertionResult screenMatchesGolden(const std::string& name);

void expectMatchesGolden(const toolbox::Image& actual, const std::string& name);
void expectMatchesGolden(const std::string& pngPath, const std::string& name);
void expectScreenMatchesGolden(const std::string& name);

// The image that a region of the screen shows (global coordinates).
toolbox::Image screenImage(int left, int top, int right, int bottom);

} // namespace golden
