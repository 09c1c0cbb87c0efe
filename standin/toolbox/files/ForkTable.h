// The open forks and their reference numbers. A data fork is a host file
// descriptor; a resource fork is held in memory and written back into the
// file's sidecar when it is flushed or closed.
#pragma once

#include <Files.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace toolbox {

struct OpenFork {
    SInt16 refNum = 0;
    bool resourceFork = false;
    int fd = -1; // data fork
    std::vector<uint8_t> bytes; // resource fork
    bool dirty = false; // resource fork changed since it was last written back
    bool readable = false;
    bool writable = false;
    SInt64 mark = 0;
    std::filesystem::path path; // the data file
};

class ForkTable {
public:
    static constexpr size_t kMaxOpenForks = 256;

    static ForkTable& shared();

    // Opens the data or resource fork of the file at `path` (which must exist).
    OSErr open(const std::filesystem::path& path, bool resourceFork, SInt8 permission, SInt16* refNum);
    OpenFork* find(SInt16 refNum);
    OSErr close(SInt16 refNum);
    // Writes a resource fork back into its sidecar, or syncs a data fork and
    // its folder (the file's catalog entry).
    OSErr flush(OpenFork& fork);
    OSErr flushAll();

    OSErr length(OpenFork& fork, SInt64& eof);
    OSErr setLength(OpenFork& fork, SInt64 eof);
    OSErr read(OpenFork& fork, void* buffer, SInt32& count);
    OSErr write(OpenFork& fork, const void* buffer, SInt32& count);

    bool isOpen(const std::filesystem::path& path, bool* data = nullptr, bool* resource = nullptr) const;
    void moved(const std::filesystem::path& from, const std::filesystem::path& to);

private:
    ForkTable() = default;
    std::vector<std::unique_ptr<OpenFork>> slots_ = std::vector<std::unique_ptr<OpenFork>>(kMaxOpenForks);
};

// Reference numbers of open forks are 2 upwards; 0 and -1 mean something else
// to the Resource Manager (the System file and failure).
constexpr SInt16 kFirstForkRefNum = 2;

} // namespace toolbox
