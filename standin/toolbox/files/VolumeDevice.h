// The startup disk as a device: what its driver reads when asked for raw
// sectors. The backing store is <machine dir>/disk.img when that file exists
// (a simulated disk may carry an image of itself), otherwise the host block
// device that holds the disk folder (found through st_dev and /sys/dev/block).
#pragma once

#include <MacTypes.h>

#include <filesystem>

namespace toolbox {

constexpr SInt16 kDiskDriverRefNum = -33;
constexpr SInt16 kDiskDriveNumber = 8;

// The backing store's path, or nsDrvErr when there is none.
OSErr volumeBackingStore(std::filesystem::path& out);
// Reads `count` bytes at byte `offset`; eofErr with the bytes there when the
// store ends first.
OSErr readVolume(UInt64 offset, void* buffer, SInt32 count, SInt32* actual);

} // namespace toolbox
