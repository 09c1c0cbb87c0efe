// Small host file helpers shared by the File and Resource Managers. They
// return errno values (0 for success) and leave the mapping to the caller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <sys/types.h>
#include <vector>

namespace toolbox {

int readWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes);
// Writes `bytes` to a temporary file beside `path`, flushes it and renames it
// over `path`: afterwards `path` holds either its old contents or the new ones.
int replaceFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes, mode_t mode);
// Writes all of `bytes` at `offset`, retrying short writes.
int writeAll(int fd, const void* bytes, size_t length, off_t offset);
// Renames without replacing an existing item (EEXIST if there is one).
int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);
// Swaps two items atomically where the host file system can.
int renameExchange(const std::filesystem::path& a, const std::filesystem::path& b);
bool lexists(const std::filesystem::path& path);

} // namespace toolbox
