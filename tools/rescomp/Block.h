// Walking the statements of one block up to its "end", and the block compilers.
#pragma once

#include "CompiledResource.h"
#include "SourceReader.h"

#include <functional>
#include <vector>

namespace rescomp {

// Calls `handle` for every statement of the block opened by `opening`, until
// its "end". A file that ends first is an error naming the opening line.
void forEachStatement(SourceReader& reader, const Statement& opening,
    const std::function<void(const Statement&, Arguments&)>& handle);

[[noreturn]] void unknownStatement(Arguments& args, const Statement& statement, const char* block);

// Each compiles the block opened by `opening` (whose ID is `id`) and appends
// what it produces to `out`.
void compileMenu(SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out);
void compileDialog(
    SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out);
void compileAlert(SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out);
void compileColourIcon(
    SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out);
void compileFont(SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out);
void compilePicture(
    SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out);

} // namespace rescomp
