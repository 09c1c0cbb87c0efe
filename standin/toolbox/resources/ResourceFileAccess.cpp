#include "resources/ResourceFileAccess.h"

#include "files/HostErrors.h"
#include "files/HostFiles.h"
#include "resources/ResourceChain.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace toolbox {

OSErr openResourceFileAtPath(const std::filesystem::path& path, SInt8 permission, SInt16* refNum)
{
    ResourceChain& chain = ResourceChain::shared();
    const SInt16 ref = chain.open(std::filesystem::absolute(path).lexically_normal(), false, permission);
    if (refNum)
        *refNum = ref;
    return chain.lastError;
}

OSErr createResourceFileAtPath(const std::filesystem::path& path)
{
    std::vector<uint8_t> bytes;
    OSErr err = serializeResourceFork(ResourceForkImage {}, bytes);
    if (err == noErr) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) {
            err = osErrFromErrno(errno);
        } else {
            err = osErrFromErrno(writeAll(fd, bytes.data(), bytes.size(), 0));
            if (::close(fd) != 0 && err == noErr)
                err = osErrFromErrno(errno);
        }
    }
    ResourceChain::shared().lastError = err;
    return err;
}

} // namespace toolbox
