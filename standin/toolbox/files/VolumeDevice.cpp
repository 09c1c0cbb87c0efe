#include "files/VolumeDevice.h"

#include "files/Catalog.h"
#include "files/HostErrors.h"

#include <machine/Machine.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace toolbox {

namespace fs = std::filesystem;

OSErr volumeBackingStore(fs::path& out)
{
    fs::path image = machine::current().diskImage();
    if (!image.empty()) {
        out = std::move(image);
        return noErr;
    }
    struct stat st;
    if (::stat(Catalog::shared().rootPath().c_str(), &st) != 0)
        return nsDrvErr;
    // Anonymous devices (major 0: tmpfs, overlay, ...) have no block device.
    const fs::path sysEntry
        = "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    std::error_code ec;
    const fs::path target = fs::read_symlink(sysEntry, ec);
    if (ec || major(st.st_dev) == 0)
        return nsDrvErr;
    out = fs::path("/dev") / target.filename();
    return noErr;
}

OSErr readVolume(UInt64 offset, void* buffer, SInt32 count, SInt32* actual)
{
    *actual = 0;
    if (count < 0)
        return paramErr;
    fs::path store;
    if (OSErr err = volumeBackingStore(store))
        return err;
    const int fd = ::open(store.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return osErrFromErrno(errno);
    auto* p = static_cast<uint8_t*>(buffer);
    SInt32 got = 0;
    OSErr err = noErr;
    while (got < count) {
        const ssize_t n = ::pread(fd, p + got, size_t(count - got), off_t(offset + UInt64(got)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            err = osErrFromErrno(errno);
            break;
        }
        if (n == 0) {
            err = eofErr;
            break;
        }
        got += SInt32(n);
    }
    ::close(fd);
    *actual = got;
    return err;
}

} // namespace toolbox
