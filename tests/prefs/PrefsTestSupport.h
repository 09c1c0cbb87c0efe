// Shared by the preferences tests: a fresh simulated Macintosh per test, the
// preferences file on its disk as raw bytes, and runs of prefs-probe.
#pragma once

#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace prefstest {

using Bytes = std::vector<unsigned char>;

// "00 0A ff" (spaces optional) to bytes.
Bytes FromHex(const std::string& hex);
// Bytes to upper-case hex without spaces, as prefs-probe prints them.
std::string ToHex(const Bytes& bytes);
// Hex text without its spaces.
std::string Compact(const std::string& hex);

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

class PrefsMachineTest : public ::testing::Test {
protected:
    testkit::ScopedMachine machine;

    std::filesystem::path folder() const;
    std::filesystem::path prefsFile() const { return folder() / "Tarnwick X Prefs"; }
    std::filesystem::path sidecar() const { return folder() / "._Tarnwick X Prefs"; }

    // Runs prefs-probe with `args` on this machine.
    testkit::ProcessResult probe(const std::vector<std::string>& args);
};

} // namespace prefstest
