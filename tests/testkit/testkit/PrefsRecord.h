// The 36 bytes of "Tarnwick X Prefs" as tests read and write them: where
// each setting sits, and a version 4 record as a user typically has it.
// Written out here, not taken from the codec, so that tests check the codec.
#pragma once

#include "testkit/Files.h"

#include <cstddef>
#include <cstdint>

namespace testkit::prefs {

constexpr size_t kVersion = 3; // low byte of the big-endian version word
constexpr size_t kRatioSelection = 15; // low byte of cacheRatioMenuSelection
constexpr size_t kEnableCacheOnRestart = 16;
constexpr size_t kSpeculativeAccessDinked = 19;
constexpr size_t kDisableSpeculativeAccess = 20;
constexpr size_t kEnableDPM = 22;
constexpr size_t kWriteThrough = 28;
constexpr size_t kDisplay21Warning = 32;

// Version 4, tab 0, every sub-pane open, the ratio choice `selection`, the
// cache on at boot, speculative access and DPM left alone, write-through off,
// the splash screen and both warnings on.
inline Bytes record(uint8_t selection = 4)
{
    return {0, 0, 0, 4, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, selection, 1, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1,
        1, 1, 1, 0, 0, 0};
}

} // namespace testkit::prefs
