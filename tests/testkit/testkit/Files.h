// Files as tests meet them: whole files as bytes, hex for readable
// comparisons, a temporary folder, and file systems that misbehave (a tiny
// tmpfs to fill, a read-only bind mount). Mounting needs root.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testkit {

using Bytes = std::vector<uint8_t>;

Bytes readBytes(const std::filesystem::path& path); // empty when absent
void writeBytes(const std::filesystem::path& path, const Bytes& bytes); // makes missing folders
std::string readText(const std::filesystem::path& path);
void writeText(const std::filesystem::path& path, const std::string& text, bool executable = false);
Bytes bytesOf(const std::string& text);
std::string hex(const Bytes& bytes); // "00A3FF"
Bytes fromHex(const std::string& text); // "00 a3 ff", spaces ignored
std::vector<std::string> folderEntries(const std::filesystem::path& folder); // names, sorted
// Waits (polling, up to `seconds`) until `path` exists.
bool waitForFile(const std::filesystem::path& path, double seconds);

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

// A mount over a folder for the lifetime of the object; a failed mount fails
// the test (every machine the suite runs on lets root mount).
class ScopedMount {
public:
    static ScopedMount tmpfs(const std::filesystem::path& where, int kilobytes);
    static ScopedMount readOnly(const std::filesystem::path& where); // bound onto itself
    ScopedMount(ScopedMount&& other) noexcept;
    ScopedMount& operator=(ScopedMount&&) = delete;
    ~ScopedMount();
    bool ok() const { return mounted_; }

private:
    ScopedMount() = default;
    std::filesystem::path where_;
    bool mounted_ = false;
};

// Fills the file system holding `folder` (with the file "filler") until no byte more fits.
void fillFileSystem(const std::filesystem::path& folder);

} // namespace testkit
