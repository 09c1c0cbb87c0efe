// HostResourceFiles.h: opening a resource file by host path.
//
// On a Macintosh the Process Manager opens an application's resource fork
// before main runs. Here the application's resources are a plain file
// installed beside the program, so the program opens it itself, first thing,
// through this one call of the toolbox layer (defined with the Resource
// Manager). Not a Carbon call: it lives in the toolbox namespace.
#pragma once

#include <MacTypes.h>

#include <filesystem>

namespace toolbox {

// Opens the data-fork resource file at `path`, makes it current and gives its
// reference number. The result is ResError's: fnfErr, mapReadErr for a
// malformed file, eofErr for an empty one, ...
OSErr openResourceFileAtPath(const std::filesystem::path& path, SInt8 permission, SInt16* refNum);

} // namespace toolbox
