// Writes pixel art as an RGBA PNG (transparent keys stay transparent), each
// pixel enlarged to scale x scale; for the desktop entry's icon.
#pragma once

#include "PixelArt.h"

#include <string>

namespace rescomp {

// False (with the reason in `error`) when the file cannot be written.
bool writeArtAsPng(const PixelArt& art, int scale, const std::string& path, std::string& error);

} // namespace rescomp
