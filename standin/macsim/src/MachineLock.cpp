#include <macsim/MachineLock.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace macsim {

MachineLock::~MachineLock()
{
    release();
}

Error MachineLock::acquire(const std::string& machineDir)
{
    release();
    std::string path = machineDir + "/lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        int err = errno;
        if (err == ENOENT || err == ENOTDIR)
            return fail(
                ENOENT, "no simulated machine at " + machineDir + "; make one with \"macsim create\"");
        return fail(EIO, "cannot open " + path + ": " + std::strerror(err));
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            int err = errno;
            close(fd);
            return fail(EIO, "cannot lock " + path + ": " + std::strerror(err));
        }
    }
    fd_ = fd;
    return {};
}

void MachineLock::release()
{
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

} // namespace macsim
