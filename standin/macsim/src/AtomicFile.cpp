#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace macsim {

Error replaceFile(const std::string& path, const std::string& text)
{
    std::string temporary = path + ".new";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(EIO, "cannot write " + temporary + ": " + std::strerror(errno));
    int err = 0;
    size_t done = 0;
    while (done < text.size() && err == 0) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += size_t(n);
        else if (n < 0 && errno != EINTR)
            err = errno;
        else if (n == 0)
            err = EIO;
    }
    if (err == 0 && fsync(fd) != 0)
        err = errno;
    if (close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && rename(temporary.c_str(), path.c_str()) != 0) {
        err = errno;
        unlink(temporary.c_str());
        return fail(EIO, "cannot replace " + path + ": " + std::strerror(err));
    }
    if (err != 0) {
        unlink(temporary.c_str());
        return fail(EIO, "cannot write " + temporary + ": " + std::strerror(err));
    }
    return {};
}

Error readWholeFile(const std::string& path, std::string& text)
{
    text.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        int err = errno;
        return fail(err == ENOENT ? ENOENT : EIO, "cannot read " + path + ": " + std::strerror(err));
    }
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int err = errno;
            close(fd);
            return fail(EIO, "cannot read " + path + ": " + std::strerror(err));
        }
        if (n == 0)
            break;
        text.append(buffer, size_t(n));
    }
    close(fd);
    return {};
}

} // namespace macsim
