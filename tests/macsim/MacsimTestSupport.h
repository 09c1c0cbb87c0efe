// Helpers of the simulated-machine tests: running macsim and the probe on a
// given machine, temporary folders, whole-file reads and writes.
#pragma once

#include "testkit/Process.h"

#include <filesystem>
#include <string>
#include <vector>

namespace macsimtest {

// `macsim ARGS` with MACSIM_MACHINE set to `machine`.
testkit::ProcessResult macsim(const std::filesystem::path& machine, const std::vector<std::string>& args);
testkit::ProcessResult probe(const std::filesystem::path& machine, const std::vector<std::string>& args);

// A fresh empty folder, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text, bool executable = false);

} // namespace macsimtest
