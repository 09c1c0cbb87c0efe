// Writing 0xRRGGBBAA pixels as an 8-bit RGBA PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// False, with the reason in `error`, when the file cannot be written.
bool writeRgbaPng(const std::string& path, const std::vector<uint32_t>& rgba, int side, std::string& error);
