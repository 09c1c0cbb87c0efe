// A bare simulated machine for File Manager tests: a temporary machine
// folder holding an empty disk/, named by MACSIM_MACHINE while it lives.
// Needs nothing of the macsim tools.
#pragma once

#include <MacTypes.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace filestest {

class TempDisk {
public:
    TempDisk();
    ~TempDisk();
    TempDisk(const TempDisk&) = delete;
    TempDisk& operator=(const TempDisk&) = delete;

    const std::filesystem::path& machine() const { return machine_; }
    std::filesystem::path disk() const { return machine_ / "disk"; }

private:
    std::filesystem::path machine_;
    std::string previous_;
    bool hadPrevious_ = false;
};

using Bytes = std::vector<uint8_t>;

Bytes readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const Bytes& bytes);
Bytes bytesOf(const std::string& text);
// A length-prefixed copy of `text` that lives as long as the returned string.
std::basic_string<unsigned char> pstr(const std::string& text);
std::string text(const unsigned char* p);

// Runs `body` in a child process as an unprivileged user (uid and gid 65534
// when the test runs as root) and returns its exit status.
int runUnprivileged(int (*body)(void*), void* context);

} // namespace filestest
