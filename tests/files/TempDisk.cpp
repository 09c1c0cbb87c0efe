#include "TempDisk.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace filestest {

TempDisk::TempDisk()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "korv-files-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    machine_ = pattern;
    // Searchable by everyone, so unprivileged children can reach it.
    ::chmod(machine_.c_str(), 0755);
    std::filesystem::create_directory(disk());
    if (const char* old = std::getenv("MACSIM_MACHINE")) {
        previous_ = old;
        hadPrevious_ = true;
    }
    ::setenv("MACSIM_MACHINE", machine_.c_str(), 1);
}

TempDisk::~TempDisk()
{
    if (hadPrevious_)
        ::setenv("MACSIM_MACHINE", previous_.c_str(), 1);
    else
        ::unsetenv("MACSIM_MACHINE");
    // Tests lock folders; open them again so an unprivileged run can clean up.
    std::error_code ec;
    std::filesystem::permissions(
        machine_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    for (auto it = std::filesystem::recursive_directory_iterator(machine_, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            std::filesystem::permissions(
                it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(machine_, ec);
}

Bytes readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::basic_string<unsigned char> pstr(const std::string& text)
{
    std::basic_string<unsigned char> s(1, static_cast<unsigned char>(text.size()));
    s.append(text.begin(), text.end());
    return s;
}

std::string text(const unsigned char* p)
{
    return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

int runUnprivileged(int (*body)(void*), void* context)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(125);
        ::_exit(body(context));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace filestest
