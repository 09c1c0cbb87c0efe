// Resource files that live in a plain file's data fork, named by host path:
// the application's resources installed beside the program, and the files a
// build-time resource compiler writes. They join the same chain as files
// opened with FSpOpenResFile, and AddResource / UpdateResFile / CloseResFile
// work on them alike.
#pragma once

#include <MacTypes.h>

#include <filesystem>

namespace toolbox {

// Opens the file at `path` as a resource file, makes it current and gives its
// reference number (the same number again if it is already open). The result
// is also ResError's: fnfErr, mapReadErr for a malformed file, eofErr for an
// empty one, ...
OSErr openResourceFileAtPath(const std::filesystem::path& path, SInt8 permission, SInt16* refNum);

// Makes `path` an empty resource file (286 bytes), replacing whatever file
// was there. It is not opened.
OSErr createResourceFileAtPath(const std::filesystem::path& path);

} // namespace toolbox
