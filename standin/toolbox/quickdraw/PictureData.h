// Pictures and colour icons made from resource bytes, for the Get calls and
// for code that has the bytes at hand (the resource compiler's checks, tests).
#pragma once

#include <Quickdraw.h>

#include <cstddef>

namespace toolbox {

// A picture handle from a 'PICT' resource's bytes: picSize and picFrame in
// host byte order, the opcodes copied as they are. nullptr if the bytes
// cannot hold a picture header.
PicHandle pictureFromBytes(const void* data, size_t size);

// A colour icon decoded from a 'cicn' resource's bytes; nullptr if they are
// malformed (sizes beyond the data, unsupported depth, absurd bounds).
CIconHandle cIconFromBytes(const void* data, size_t size);

} // namespace toolbox
