// The file form of G3TarnwickAppPrefs: 36 bytes, multi-byte fields big-endian,
// each field at a fixed offset, exactly as a PowerPC holds the record in memory.
#pragma once

#include "prefs/G3TarnwickAppPrefs.h"

#include <array>
#include <cstddef>

inline constexpr size_t kPrefsRecordSize = 36;

using PrefsRecordImage = std::array<UInt8, kPrefsRecordSize>;

PrefsRecordImage EncodePrefsRecord(const G3TarnwickAppPrefs& record);
G3TarnwickAppPrefs DecodePrefsRecord(const PrefsRecordImage& image);
