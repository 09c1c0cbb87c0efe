// What the fault tests do to a machine that a plain test cannot: mount a tiny
// file system over a folder, make a folder read-only even for root, start a
// program and kill it mid-run, and read files back byte for byte.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace faults {

// A mount over `where` for the lifetime of the object. `ok()` is false (and
// `why()` says why) when mounting is not possible here, e.g. without root.
class ScopedMount {
public:
    // A tmpfs of `kilobytes` over `where`.
    static ScopedMount tmpfs(const std::filesystem::path& where, int kilobytes);
    // `where` bound onto itself read-only.
    static ScopedMount readOnly(const std::filesystem::path& where);

    ScopedMount(ScopedMount&& other) noexcept;
    ScopedMount& operator=(ScopedMount&&) = delete;
    ~ScopedMount();

    bool ok() const { return mounted_; }
    const std::string& why() const { return why_; }

private:
    ScopedMount() = default;
    std::filesystem::path where_;
    bool mounted_ = false;
    std::string why_;
};

// Fills the file system that holds `folder` until no byte more fits.
void fillFileSystem(const std::filesystem::path& folder);

// A program of the build started in the background.
class Child {
public:
    Child(const std::string& program, const std::vector<std::string>& args,
        const std::map<std::string, std::string>& env = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // SIGKILL, then the status: 128 + 9, or the exit status if it ended first.
    int kill();
    // Waits for the end; the exit status, or 128 + signal.
    int wait();

private:
    int pid_ = -1;
    int status_ = -1;
};

std::vector<unsigned char> fileBytes(const std::filesystem::path& path);
std::string hex(const std::vector<unsigned char>& bytes);
// Waits (polling, up to `seconds`) until `path` exists.
bool waitForFile(const std::filesystem::path& path, double seconds);

} // namespace faults
