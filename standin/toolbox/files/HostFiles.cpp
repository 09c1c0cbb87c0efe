#include "files/HostFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace toolbox {

int readWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return error;
    }
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return error;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return 0;
}

int writeAll(int fd, const void* bytes, size_t length, off_t offset)
{
    const auto* p = static_cast<const uint8_t*>(bytes);
    while (length > 0) {
        const ssize_t n = ::pwrite(fd, p, length, offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        length -= size_t(n);
        offset += n;
    }
    return 0;
}

int replaceFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes, mode_t mode)
{
    std::string pattern = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes.data(), bytes.size(), 0);
    if (!error && ::fchmod(fd, mode) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(pattern.c_str(), path.c_str()) != 0)
        error = errno;
    if (error)
        ::unlink(pattern.c_str());
    return error;
}

int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // The host file system cannot refuse by itself: check, then rename.
    if (lexists(to))
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int renameExchange(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    const std::filesystem::path parked = a.string() + ".exchange";
    if (::rename(a.c_str(), parked.c_str()) != 0)
        return errno;
    if (::rename(b.c_str(), a.c_str()) != 0) {
        const int error = errno;
        ::rename(parked.c_str(), a.c_str());
        return error;
    }
    return ::rename(parked.c_str(), b.c_str()) == 0 ? 0 : errno;
}

bool lexists(const std::filesystem::path& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace toolbox
