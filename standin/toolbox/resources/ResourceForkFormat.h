// The resource file format, as bytes: reading a whole fork into resources
// and writing resources back as a whole, compacted fork.
//
// Layout (all big-endian): a 16-byte header (data offset, map offset, data
// length, map length), 240 reserved bytes, the data area (each resource a
// 4-byte length and its bytes), then the map: a copy of the header, 6
// reserved bytes, the file attributes, the offsets of the type list and the
// name list, the type list (count - 1, then type, count - 1 and reference
// list offset per type), the reference lists (ID, name offset or 0xFFFF,
// attributes, 3-byte data offset, 4 reserved bytes) and the names.
#pragma once

#include <MacTypes.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace toolbox {

struct ResourceRecord {
    ResType type = 0;
    SInt16 id = 0;
    bool named = false;
    std::string name;
    UInt8 attributes = 0;
    std::vector<uint8_t> data;
};

struct ResourceForkImage {
    std::array<uint8_t, 240> reserved {}; // bytes 16..255, kept as read
    UInt16 fileAttributes = 0;
    std::vector<ResourceRecord> resources; // in the file's order, types grouped
};

// noErr; eofErr for an empty fork; mapReadErr when anything in the fork lies
// outside where it may be: header fields past the end, data area and map
// overlapping each other or the header, lists or names outside the map,
// reference lists overlapping, data blocks outside the data area or
// overlapping each other.
OSErr parseResourceFork(const std::vector<uint8_t>& fork, ResourceForkImage& out);

// addResFailed when the resources do not fit the format's offsets (a data
// area past 16 MiB, a map past 32 KiB before the names, names past 32 KiB).
OSErr serializeResourceFork(const ResourceForkImage& image, std::vector<uint8_t>& out);

} // namespace toolbox
