// Compiles source files into resources and checks them as a set.
#pragma once

#include "CompiledResource.h"

#include <string>
#include <vector>

namespace rescomp {

// Compiles every block of `path` and appends the results to `out`. Throws
// CompileError for a bad source and for a resource already in `out`.
void compileFile(const std::string& path, std::vector<CompiledResource>& out);

} // namespace rescomp
