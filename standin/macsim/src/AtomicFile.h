// Whole-file helpers of the machine store: replace a file so that readers see
// the old or the new contents, never a mix; read a small file whole.
#pragma once

#include <macsim/Error.h>

#include <string>

namespace macsim {

// Writes `text` to "<path>.new", syncs it and renames it over `path`.
Error replaceFile(const std::string& path, const std::string& text);

// Reads the whole file; a missing file is ENOENT (with a plain message).
Error readWholeFile(const std::string& path, std::string& text);

} // namespace macsim
