#include "FaultKit.h"

#include "testkit/Process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace faults {

ScopedMount ScopedMount::tmpfs(const std::filesystem::path& where, int kilobytes)
{
    ScopedMount m;
    m.where_ = where;
    std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
    if (mount("korv-faults", where.c_str(), "tmpfs", 0, options.c_str()) == 0)
        m.mounted_ = true;
    else
        m.why_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
    return m;
}

ScopedMount ScopedMount::readOnly(const std::filesystem::path& where)
{
    ScopedMount m;
    m.where_ = where;
    if (mount(where.c_str(), where.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        m.why_ = std::string("cannot bind-mount here: ") + std::strerror(errno);
        return m;
    }
    m.mounted_ = true;
    if (mount(nullptr, where.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        m.why_ = std::string("cannot make the bind mount read-only: ") + std::strerror(errno);
    if (!m.why_.empty()) {
        umount2(where.c_str(), MNT_DETACH);
        m.mounted_ = false;
    }
    return m;
}

ScopedMount::ScopedMount(ScopedMount&& other) noexcept
    : where_(std::move(other.where_))
    , mounted_(other.mounted_)
    , why_(std::move(other.why_))
{
    other.mounted_ = false;
}

ScopedMount::~ScopedMount()
{
    if (mounted_ && umount2(where_.c_str(), 0) != 0)
        umount2(where_.c_str(), MNT_DETACH);
}

void fillFileSystem(const std::filesystem::path& folder)
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

Child::Child(const std::string& program, const std::vector<std::string>& args,
    const std::map<std::string, std::string>& env)
{
    std::string path
        = program.find('/') == std::string::npos ? (testkit::binDirectory() / program).string() : program;
    std::vector<std::string> words {path};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        if (!env.count(entry.substr(0, entry.find('='))))
            environment.push_back(entry);
    }
    for (const auto& [key, value] : env)
        environment.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    if (int err = posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv.data(), envp.data()))
        throw std::runtime_error("cannot start " + path + ": " + std::strerror(err));
}

Child::~Child()
{
    if (status_ < 0 && pid_ > 0)
        kill();
}

int Child::wait()
{
    if (status_ >= 0)
        return status_;
    int raw = 0;
    while (waitpid(pid_, &raw, 0) < 0 && errno == EINTR) { }
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return status_;
}

int Child::kill()
{
    if (status_ < 0)
        ::kill(pid_, SIGKILL);
    return wait();
}

std::vector<unsigned char> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::string hex(const std::vector<unsigned char>& bytes)
{
    std::string out;
    char buffer[3];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        out += buffer;
    }
    return out;
}

bool waitForFile(const std::filesystem::path& path, double seconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::filesystem::exists(path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::filesystem::exists(path);
}

} // namespace faults
