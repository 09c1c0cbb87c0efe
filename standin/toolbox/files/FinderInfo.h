// FInfo and FXInfo as the big-endian bytes of the sidecar's Finder info entry.
#pragma once

#include <Files.h>

#include <array>
#include <cstdint>

namespace toolbox {

using FinderInfoBytes = std::array<uint8_t, 32>;

FInfo decodeFInfo(const FinderInfoBytes& bytes);
FXInfo decodeFXInfo(const FinderInfoBytes& bytes);
// Replaces the first 16 bytes (FInfo), keeping the extended part.
void encodeFInfo(const FInfo& info, FinderInfoBytes& bytes);

} // namespace toolbox
