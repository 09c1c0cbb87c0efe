// AppleDouble version 2 sidecars ("._NAME" beside the data file): where the
// File Manager keeps a file's Finder info and resource fork.
//
// Written in the minimal form Mac OS X uses: a 26-byte header (magic
// 0x00051607, version 0x00020000, filler "Mac OS X" and eight spaces, entry
// count), then the entry table with the Finder info first (entry 9, 32 bytes)
// and the resource fork last (entry 2); a sidecar we make is thus 82 bytes plus
// the fork. Entries of other kinds in a foreign sidecar are kept, and so is
// anything after the first 32 bytes of a longer Finder info entry (Mac OS X
// keeps extended attributes there, at offsets that stay valid because the
// Finder info stays first).
#pragma once

#include <MacTypes.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace toolbox {

class AppleDouble {
public:
    static constexpr UInt32 kResourceForkEntry = 2;
    static constexpr UInt32 kFinderInfoEntry = 9;
    static constexpr size_t kFinderInfoLength = 32;

    // False when `bytes` is not a well-formed AppleDouble file (bad magic or
    // version, an entry table or entry running past the end, entry ID 0, an
    // entry given twice).
    static bool parse(const std::vector<uint8_t>& bytes, AppleDouble& out);
    std::vector<uint8_t> serialize() const;

    // The 32 bytes of FInfo + FXInfo, zero when absent.
    std::array<uint8_t, kFinderInfoLength> finderInfo() const;
    void setFinderInfo(const std::array<uint8_t, kFinderInfoLength>& info);

    std::vector<uint8_t> resourceFork() const;
    void setResourceFork(std::vector<uint8_t> fork);

private:
    struct Entry {
        UInt32 id;
        std::vector<uint8_t> bytes;
    };
    Entry* find(UInt32 id);
    const Entry* find(UInt32 id) const;
    std::vector<Entry> entries_;
};

std::filesystem::path sidecarPath(const std::filesystem::path& item);

// The sidecar of `item`: noErr with an empty AppleDouble when there is none,
// ioErr when it is not a valid AppleDouble file, or the read's error.
OSErr readSidecar(const std::filesystem::path& item, AppleDouble& out, bool* exists = nullptr);
// Replaces the sidecar of `item` atomically (temporary file, then rename); it
// takes the data file's permission bits.
OSErr writeSidecar(const std::filesystem::path& item, const AppleDouble& sidecar);

} // namespace toolbox
