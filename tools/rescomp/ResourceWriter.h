// Writes compiled resources into a new data-fork resource file.
#pragma once

#include "CompiledResource.h"

#include <string>
#include <vector>

namespace rescomp {

// Replaces `path` with a resource file holding `resources`; on failure the
// previous file is untouched and `error` says why.
bool writeResourceFile(
    const std::string& path, const std::vector<CompiledResource>& resources, std::string& error);

} // namespace rescomp
