#include "files/HostErrors.h"

#include <cerrno>

namespace toolbox {

OSErr osErrFromErrno(int error)
{
    switch (error) {
    case 0:
        return noErr;
    case ENOENT:
        return fnfErr;
    case ENOTDIR:
        return dirNFErr;
    case EEXIST:
        return dupFNErr;
    case EACCES:
    case EPERM:
    case EROFS: // a read-only disk refuses a write like a missing permission
        return afpAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return dskFulErr;
    case EMFILE:
    case ENFILE:
        return tmfoErr;
    case ENAMETOOLONG:
        return bdNamErr;
    case ENOTEMPTY:
    case EBUSY:
        return fBsyErr;
    case EISDIR:
        return notAFileErr;
    case EXDEV:
        return diffVolErr;
    default:
        return ioErr;
    }
}

} // namespace toolbox
