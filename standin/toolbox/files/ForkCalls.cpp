// The File Manager's calls on open forks.
#include "files/Catalog.h"
#include "files/ForkTable.h"
#include "files/HostErrors.h"
#include "files/VolumeDevice.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

using toolbox::ForkTable;
using toolbox::OpenFork;

namespace {

OSErr openFork(const FSSpec* spec, SInt8 permission, SInt16* refNum, bool resourceFork)
{
    if (refNum)
        *refNum = 0;
    toolbox::CatalogEntry entry;
    if (OSErr err = toolbox::Catalog::shared().resolve(spec, entry))
        return err;
    if (!entry.exists)
        return fnfErr;
    if (entry.isFolder)
        return notAFileErr;
    return ForkTable::shared().open(entry.path, resourceFork, permission, refNum);
}

OSErr position(OpenFork& fork, SInt16 posMode, SInt64 offset)
{
    SInt64 eof = 0;
    if (OSErr err = ForkTable::shared().length(fork, eof))
        return err;
    SInt64 target;
    switch (posMode & 3) { // the upper bits ask for caching hints
    case fsAtMark:
        return noErr;
    case fsFromStart:
        target = offset;
        break;
    case fsFromLEOF:
        target = eof + offset;
        break;
    default:
        target = fork.mark + offset;
        break;
    }
    if (target < 0)
        return posErr;
    if (target > eof) {
        fork.mark = eof;
        return eofErr;
    }
    fork.mark = target;
    return noErr;
}

} // namespace

OSErr FSpOpenDF(const FSSpec* spec, SInt8 permission, SInt16* refNum)
{
    return openFork(spec, permission, refNum, false);
}

OSErr FSpOpenRF(const FSSpec* spec, SInt8 permission, SInt16* refNum)
{
    return openFork(spec, permission, refNum, true);
}

OSErr FSRead(SInt16 refNum, SInt32* count, void* buffPtr)
{
    OpenFork* fork = ForkTable::shared().find(refNum);
    if (!fork)
        return rfNumErr;
    if (!count)
        return paramErr;
    return ForkTable::shared().read(*fork, buffPtr, *count);
}

OSErr FSWrite(SInt16 refNum, SInt32* count, const void* buffPtr)
{
    OpenFork* fork = ForkTable::shared().find(refNum);
    if (!fork)
        return rfNumErr;
    if (!count)
        return paramErr;
    return ForkTable::shared().write(*fork, buffPtr, *count);
}

OSErr FSClose(SInt16 refNum)
{
    return ForkTable::shared().close(refNum);
}

OSErr GetEOF(SInt16 refNum, SInt32* logEOF)
{
    OpenFork* fork = ForkTable::shared().find(refNum);
    if (!fork)
        return rfNumErr;
    SInt64 eof = 0;
    if (OSErr err = ForkTable::shared().length(*fork, eof))
        return err;
    if (eof > INT32_MAX)
        return ioErr; // a fork this long cannot be described in 32 bits
    if (logEOF)
        *logEOF = SInt32(eof);
    return noErr;
}

OSErr SetEOF(SInt16 refNum, SInt32 logEOF)
{
    OpenFork* fork = ForkTable::shared().find(refNum);
    if (!fork)
        return rfNumErr;
    return ForkTable::shared().setLength(*fork, logEOF);
}

OSErr GetFPos(SInt16 refNum, SInt32* filePos)
{
    OpenFork* fork = ForkTable::shared().find(refNum);
    if (!fork)
        return rfNumErr;
    if (filePos)
        *filePos = SInt32(fork->mark);
    return noErr;
}

OSErr SetFPos(SInt16 refNum, SInt16 posMode, SInt32 posOff)
{
    OpenFork* fork = ForkTable::shared().find(refNum);
    if (!fork)
        return rfNumErr;
    return position(*fork, posMode, posOff);
}

OSErr PBReadSync(ParmBlkPtr paramBlock)
{
    IOParam& pb = paramBlock->ioParam;
    pb.ioActCount = 0;
    if (pb.ioRefNum == toolbox::kDiskDriverRefNum) {
        // A raw read through the startup disk's driver; its offsets are unsigned.
        if (pb.ioVRefNum != toolbox::kDiskDriveNumber)
            return pb.ioResult = nsDrvErr;
        if ((pb.ioPosMode & 3) != fsFromStart)
            return pb.ioResult = paramErr;
        const UInt64 offset = UInt32(pb.ioPosOffset);
        pb.ioResult = toolbox::readVolume(offset, pb.ioBuffer, pb.ioReqCount, &pb.ioActCount);
        pb.ioPosOffset = SInt32(UInt32(offset + UInt64(pb.ioActCount)));
        return pb.ioResult;
    }
    OpenFork* fork = ForkTable::shared().find(pb.ioRefNum);
    if (!fork)
        return pb.ioResult = rfNumErr;
    if (OSErr err = position(*fork, pb.ioPosMode, pb.ioPosOffset))
        return pb.ioResult = err;
    SInt32 count = pb.ioReqCount;
    pb.ioResult = ForkTable::shared().read(*fork, pb.ioBuffer, count);
    pb.ioActCount = count;
    pb.ioPosOffset = SInt32(fork->mark);
    return pb.ioResult;
}

OSErr PBFlushFileSync(ParmBlkPtr paramBlock)
{
    IOParam& pb = paramBlock->ioParam;
    OpenFork* fork = ForkTable::shared().find(pb.ioRefNum);
    if (!fork)
        return pb.ioResult = rfNumErr;
    return pb.ioResult = ForkTable::shared().flush(*fork);
}

namespace {

// Reserves room on the disk for the fork without changing its length; a host
// that cannot reserve allocates on write, which is what the caller needs.
OSErr allocate(ParmBlkPtr paramBlock)
{
    IOParam& pb = paramBlock->ioParam;
    pb.ioActCount = 0;
    OpenFork* fork = ForkTable::shared().find(pb.ioRefNum);
    if (!fork)
        return pb.ioResult = rfNumErr;
    if (!fork->writable)
        return pb.ioResult = wrPermErr;
    if (pb.ioReqCount < 0)
        return pb.ioResult = paramErr;
    if (!fork->resourceFork && pb.ioReqCount > 0) {
        struct stat st;
        if (::fstat(fork->fd, &st) != 0)
            return pb.ioResult = toolbox::osErrFromErrno(errno);
        if (::fallocate(fork->fd, FALLOC_FL_KEEP_SIZE, st.st_size, pb.ioReqCount) != 0 && errno != EOPNOTSUPP
            && errno != ENOSYS)
            return pb.ioResult = toolbox::osErrFromErrno(errno);
    }
    pb.ioActCount = pb.ioReqCount;
    return pb.ioResult = noErr;
}

} // namespace

OSErr PBAllocContigSync(ParmBlkPtr paramBlock)
{
    return allocate(paramBlock);
}

OSErr PBAllocateSync(ParmBlkPtr paramBlock)
{
    return allocate(paramBlock);
}
