#include "files/ForkTable.h"

#include "files/AppleDouble.h"
#include "files/HostErrors.h"
#include "files/HostFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace toolbox {

namespace fs = std::filesystem;

namespace {

OSErr syncFolderOf(const fs::path& path)
{
    const int fd = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return osErrFromErrno(errno);
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int err = errno;
    ::close(fd);
    return synced ? OSErr(noErr) : osErrFromErrno(err);
}

} // namespace

ForkTable& ForkTable::shared()
{
    static ForkTable table;
    return table;
}

OSErr ForkTable::open(const fs::path& path, bool resourceFork, SInt8 permission, SInt16* refNum)
{
    if (refNum)
        *refNum = 0;
    auto slot = std::find(slots_.begin(), slots_.end(), nullptr);
    if (slot == slots_.end())
        return tmfoErr;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return osErrFromErrno(errno);
    if (S_ISDIR(st.st_mode))
        return notAFileErr;

    auto fork = std::make_unique<OpenFork>();
    fork->resourceFork = resourceFork;
    fork->path = path;
    const bool wantsWrite = permission != fsRdPerm;
    if (!resourceFork) {
        int fd = ::open(path.c_str(), (wantsWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC);
        fork->readable = true;
        fork->writable = wantsWrite;
        if (fd < 0 && (errno == EACCES || errno == EROFS) && permission == fsCurPerm) {
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); // current permission: whatever is allowed
            fork->writable = false;
        } else if (fd < 0 && errno == EACCES && permission == fsWrPerm) {
            fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
            fork->readable = false;
        }
        if (fd < 0)
            return osErrFromErrno(errno);
        fork->fd = fd;
    } else {
        AppleDouble sidecar;
        if (OSErr err = readSidecar(path, sidecar))
            return err;
        fork->bytes = sidecar.resourceFork();
        fork->readable = true;
        fork->writable = wantsWrite;
        if (wantsWrite
            && (::access(path.c_str(), W_OK) != 0 || ::access(path.parent_path().c_str(), W_OK) != 0)) {
            if (permission != fsCurPerm)
                return osErrFromErrno(errno);
            fork->writable = false;
        }
    }
    fork->refNum = SInt16(kFirstForkRefNum + (slot - slots_.begin()));
    if (refNum)
        *refNum = fork->refNum;
    *slot = std::move(fork);
    return noErr;
}

OpenFork* ForkTable::find(SInt16 refNum)
{
    const int index = refNum - kFirstForkRefNum;
    if (index < 0 || size_t(index) >= slots_.size())
        return nullptr;
    return slots_[size_t(index)].get();
}

OSErr ForkTable::close(SInt16 refNum)
{
    OpenFork* fork = find(refNum);
    if (!fork)
        return rfNumErr;
    OSErr err = fork->resourceFork ? flush(*fork) : OSErr(noErr);
    if (fork->fd >= 0 && ::close(fork->fd) != 0 && err == noErr)
        err = ioErr;
    slots_[size_t(refNum - kFirstForkRefNum)].reset();
    return err;
}

OSErr ForkTable::flush(OpenFork& fork)
{
    if (!fork.resourceFork) {
        // The file's catalog entry is its folder's entry for it on the host,
        // so a flushed file that was just made survives a crash by name too.
        if (::fsync(fork.fd) != 0 && errno != EINVAL)
            return osErrFromErrno(errno);
        return syncFolderOf(fork.path);
    }
    if (!fork.dirty)
        return noErr;
    // Re-read the sidecar so Finder info set while the fork was open survives.
    AppleDouble sidecar;
    if (OSErr err = readSidecar(fork.path, sidecar))
        return err;
    sidecar.setResourceFork(fork.bytes);
    if (OSErr err = writeSidecar(fork.path, sidecar))
        return err;
    fork.dirty = false;
    return noErr;
}

OSErr ForkTable::flushAll()
{
    OSErr result = noErr;
    for (auto& fork : slots_) {
        if (fork && fork->resourceFork) {
            if (OSErr err = flush(*fork); err && !result)
                result = err;
        }
    }
    return result;
}

OSErr ForkTable::length(OpenFork& fork, SInt64& eof)
{
    if (fork.resourceFork) {
        eof = SInt64(fork.bytes.size());
        return noErr;
    }
    struct stat st;
    if (::fstat(fork.fd, &st) != 0)
        return osErrFromErrno(errno);
    eof = st.st_size;
    return noErr;
}

OSErr ForkTable::setLength(OpenFork& fork, SInt64 eof)
{
    if (eof < 0)
        return paramErr;
    if (!fork.writable)
        return wrPermErr;
    if (fork.resourceFork) {
        if (size_t(eof) != fork.bytes.size()) {
            fork.bytes.resize(size_t(eof));
            fork.dirty = true;
        }
    } else if (::ftruncate(fork.fd, eof) != 0) {
        return osErrFromErrno(errno);
    }
    fork.mark = std::min(fork.mark, eof);
    return noErr;
}

OSErr ForkTable::read(OpenFork& fork, void* buffer, SInt32& count)
{
    if (count < 0) {
        count = 0;
        return paramErr;
    }
    if (!fork.readable) {
        count = 0;
        return afpAccessDenied;
    }
    const SInt32 wanted = count;
    SInt32 got = 0;
    if (fork.resourceFork) {
        const SInt64 available = std::max<SInt64>(0, SInt64(fork.bytes.size()) - fork.mark);
        got = SInt32(std::min<SInt64>(wanted, available));
        if (got > 0)
            std::memcpy(buffer, fork.bytes.data() + fork.mark, size_t(got));
    } else {
        auto* p = static_cast<uint8_t*>(buffer);
        while (got < wanted) {
            const ssize_t n = ::pread(fork.fd, p + got, size_t(wanted - got), fork.mark + got);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                count = got;
                fork.mark += got;
                return osErrFromErrno(errno);
            }
            if (n == 0)
                break;
            got += SInt32(n);
        }
    }
    fork.mark += got;
    count = got;
    return got < wanted ? eofErr : OSErr(noErr);
}

OSErr ForkTable::write(OpenFork& fork, const void* buffer, SInt32& count)
{
    if (count < 0) {
        count = 0;
        return paramErr;
    }
    if (!fork.writable) {
        count = 0;
        return wrPermErr;
    }
    if (fork.mark + count > SInt64(INT32_MAX)) {
        count = 0;
        return dskFulErr; // beyond what a 32-bit fork length can hold
    }
    if (fork.resourceFork) {
        if (count > 0) {
            if (fork.bytes.size() < size_t(fork.mark + count))
                fork.bytes.resize(size_t(fork.mark + count));
            std::memcpy(fork.bytes.data() + fork.mark, buffer, size_t(count));
            fork.dirty = true;
        }
    } else if (int error = writeAll(fork.fd, buffer, size_t(count), fork.mark)) {
        // The host does not say how much of a failed write landed; report none.
        count = 0;
        return osErrFromErrno(error);
    }
    fork.mark += count;
    return noErr;
}

bool ForkTable::isOpen(const fs::path& path, bool* data, bool* resource) const
{
    bool any = false;
    if (data)
        *data = false;
    if (resource)
        *resource = false;
    for (const auto& fork : slots_) {
        if (fork && fork->path == path) {
            any = true;
            if (fork->resourceFork && resource)
                *resource = true;
            if (!fork->resourceFork && data)
                *data = true;
        }
    }
    return any;
}

void ForkTable::moved(const fs::path& from, const fs::path& to)
{
    const std::string prefix = from.string() + "/";
    for (auto& fork : slots_) {
        if (!fork)
            continue;
        const std::string p = fork->path.string();
        if (fork->path == from)
            fork->path = to;
        else if (p.compare(0, prefix.size(), prefix) == 0)
            fork->path = to.string() + p.substr(from.string().size());
    }
}

} // namespace toolbox
