#include "testkit/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sched.h>
#include <stdexcept>
#include <sys/mount.h>
#include <thread>

namespace testkit {

namespace fs = std::filesystem;

Bytes readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& path, const Bytes& bytes)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string readText(const fs::path& path)
{
    Bytes bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const fs::path& path, const std::string& text, bool executable)
{
    writeBytes(path, Bytes(text.begin(), text.end()));
    if (executable)
        fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
            fs::perm_options::add);
}

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::string hex(const Bytes& bytes)
{
    std::string out;
    char buffer[3];
    for (uint8_t b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        out += buffer;
    }
    return out;
}

Bytes fromHex(const std::string& text)
{
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits += c;
    Bytes bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(uint8_t(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::vector<std::string> folderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool waitForFile(const fs::path& path, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!fs::exists(path) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path);
}

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "korv-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

namespace {

// The test process (and the programs it starts) gets mounts of its own, so
// none is seen outside or outlives it, even when the test crashes.
void enterPrivateMountNamespace()
{
    static const bool entered
        = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    (void)entered;
}

} // namespace

ScopedMount ScopedMount::tmpfs(const fs::path& where, int kilobytes)
{
    ScopedMount m;
    m.where_ = where;
    enterPrivateMountNamespace();
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
    m.mounted_ = mount("korv-test", where.c_str(), "tmpfs", 0, options.c_str()) == 0;
    EXPECT_TRUE(m.mounted_) << "cannot mount a tmpfs on " << where << ": " << std::strerror(errno);
    return m;
}

ScopedMount ScopedMount::readOnly(const fs::path& where)
{
    ScopedMount m;
    m.where_ = where;
    enterPrivateMountNamespace();
    m.mounted_ = mount(where.c_str(), where.c_str(), nullptr, MS_BIND, nullptr) == 0;
    EXPECT_TRUE(m.mounted_) << "cannot bind-mount " << where << ": " << std::strerror(errno);
    if (m.mounted_
        && mount(nullptr, where.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        ADD_FAILURE() << "cannot make " << where << " read-only: " << std::strerror(errno);
        umount2(where.c_str(), MNT_DETACH);
        m.mounted_ = false;
    }
    return m;
}

ScopedMount::ScopedMount(ScopedMount&& other) noexcept
    : where_(std::move(other.where_))
    , mounted_(other.mounted_)
{
    other.mounted_ = false;
}

ScopedMount::~ScopedMount()
{
    if (mounted_ && umount2(where_.c_str(), 0) != 0)
        umount2(where_.c_str(), MNT_DETACH);
}

void fillFileSystem(const fs::path& folder)
{
    std::FILE* filler = std::fopen((folder / "filler").c_str(), "wb");
    if (!filler)
        throw std::runtime_error("cannot create the filler file");
    std::setvbuf(filler, nullptr, _IONBF, 0);
    std::vector<char> block(4096, 'x');
    for (size_t size = block.size(); size > 0;) {
        if (std::fwrite(block.data(), 1, size, filler) != size)
            size /= 2; // ENOSPC: squeeze in what still fits
    }
    std::fclose(filler);
}

} // namespace testkit
