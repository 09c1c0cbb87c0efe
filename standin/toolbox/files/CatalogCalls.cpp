// The File Manager's catalog and volume information calls.
#include "files/AppleDouble.h"
#include "files/Catalog.h"
#include "files/FinderInfo.h"
#include "files/ForkTable.h"
#include "files/HostErrors.h"
#include "files/VolumeDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fs = std::filesystem;
using toolbox::Catalog;
using toolbox::CatalogEntry;

namespace {

constexpr UInt32 kMacEpochOffset = 2082844800; // seconds from 1904 to 1970

UInt32 macTime(time_t t)
{
    return UInt32(UInt64(t) + kMacEpochOffset);
}

SInt32 clamp32(UInt64 v)
{
    return SInt32(std::min<UInt64>(v, 0x7FFFFFFF));
}

// The allocation block (in the file system's block size) where the data
// fork's first extent lies, kept to 16 bits as the catalog field is; 0 when
// the host will not say or the fork is empty.
UInt16 firstAllocationBlock(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    // One extent is all we ask for: the map header followed by room for it.
    alignas(fiemap) uint8_t buffer[sizeof(fiemap) + sizeof(fiemap_extent)] = {};
    auto* map = reinterpret_cast<fiemap*>(buffer);
    map->fm_length = ~0ULL;
    map->fm_extent_count = 1;
    struct statvfs vfs;
    UInt16 block = 0;
    if (::ioctl(fd, FS_IOC_FIEMAP, map) == 0 && map->fm_mapped_extents > 0 && ::fstatvfs(fd, &vfs) == 0
        && vfs.f_bsize > 0)
        block = UInt16(map->fm_extents[0].fe_physical / vfs.f_bsize);
    ::close(fd);
    return block;
}

struct ItemInfo {
    bool isFolder = false;
    SInt32 id = 0;
    SInt32 parID = 0;
    UInt64 dataLength = 0, dataPhysical = 0, rsrcLength = 0;
    UInt32 created = 0, modified = 0;
    UInt16 valence = 0;
    toolbox::FinderInfoBytes finder {};
    SInt8 attributes = 0;
};

OSErr describe(const CatalogEntry& entry, ItemInfo& info)
{
    struct stat st;
    if (::stat(entry.path.c_str(), &st) != 0)
        return toolbox::osErrFromErrno(errno);
    Catalog& catalog = Catalog::shared();
    info.isFolder = S_ISDIR(st.st_mode);
    info.id = catalog.idOf(entry.path);
    info.parID = entry.parID;
    info.created = macTime(st.st_ctime);
    info.modified = macTime(st.st_mtime);
    if (info.isFolder) {
        info.attributes = kioFlAttribDirMask;
        info.valence = UInt16(std::min<size_t>(catalog.listing(entry.path).size(), 0xFFFF));
        return noErr;
    }
    toolbox::AppleDouble sidecar;
    if (OSErr err = toolbox::readSidecar(entry.path, sidecar))
        return err;
    info.finder = sidecar.finderInfo();
    info.rsrcLength = sidecar.resourceFork().size();
    info.dataLength = UInt64(st.st_size);
    info.dataPhysical = UInt64(st.st_blocks) * 512;
    bool dataOpen = false, rsrcOpen = false;
    if (toolbox::ForkTable::shared().isOpen(entry.path, &dataOpen, &rsrcOpen)) {
        info.attributes = SInt8(kioFlAttribFileOpenMask | (dataOpen ? kioFlAttribDataOpenMask : 0)
            | (rsrcOpen ? kioFlAttribResOpenMask : 0));
    }
    return noErr;
}

// The item a catalog call names: by index in a folder (files only when
// `filesOnly`), the folder itself (index < 0), or by name.
OSErr locate(SInt16 vRefNum, SInt32 dirID, SInt16 index, StringPtr name, bool filesOnly, CatalogEntry& entry,
    bool& reportName)
{
    Catalog& catalog = Catalog::shared();
    reportName = false;
    if (index > 0) {
        if (OSErr err = catalog.checkVolume(vRefNum))
            return err;
        fs::path folder;
        if (OSErr err = catalog.folderPath(dirID, folder))
            return err;
        SInt16 seen = 0;
        for (const std::string& hostName : catalog.listing(folder)) {
            struct stat st;
            if (filesOnly && ::stat((folder / hostName).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                continue;
            if (++seen == index) {
                reportName = true;
                entry.path = folder / hostName;
                entry.parID = catalog.idOf(folder);
                entry.macName = toolbox::macNameFromHost(hostName);
                entry.exists = true;
                entry.isFolder = ::stat(entry.path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
                entry.isRoot = false;
                return noErr;
            }
        }
        return fnfErr;
    }
    const unsigned char none[1] = {0};
    const bool itself = index < 0 || !name || name[0] == 0;
    reportName = itself && name;
    if (OSErr err = catalog.resolve(vRefNum, dirID, itself ? none : name, entry))
        return err;
    if (!entry.exists)
        return fnfErr;
    if (filesOnly && entry.isFolder)
        return fnfErr;
    return noErr;
}

} // namespace

OSErr PBGetCatInfoSync(CInfoPBPtr paramBlock)
{
    HFileInfo& pb = paramBlock->hFileInfo;
    CatalogEntry entry;
    bool reportName = false;
    if (OSErr err = locate(pb.ioVRefNum, pb.ioDirID, pb.ioFDirIndex, pb.ioNamePtr, false, entry, reportName))
        return pb.ioResult = err;
    ItemInfo info;
    if (OSErr err = describe(entry, info))
        return pb.ioResult = err;
    if (reportName)
        toolbox::setMacString(pb.ioNamePtr, entry.macName, 255);
    pb.ioFRefNum = 0;
    pb.ioFlAttrib = info.attributes;
    pb.ioACUser = 0;
    if (info.isFolder) {
        DirInfo& dir = paramBlock->dirInfo;
        std::memset(&dir.ioDrUsrWds, 0, sizeof dir.ioDrUsrWds);
        dir.ioDrDirID = info.id;
        dir.ioDrNmFls = info.valence;
        std::memset(dir.filler3, 0, sizeof dir.filler3);
        dir.ioDrCrDat = info.created;
        dir.ioDrMdDat = info.modified;
        dir.ioDrBkDat = 0;
        std::memset(&dir.ioDrFndrInfo, 0, sizeof dir.ioDrFndrInfo);
        dir.ioDrParID = info.parID;
    } else {
        pb.ioFlFndrInfo = toolbox::decodeFInfo(info.finder);
        pb.ioDirID = info.id;
        pb.ioFlStBlk = firstAllocationBlock(entry.path);
        pb.ioFlLgLen = clamp32(info.dataLength);
        pb.ioFlPyLen = clamp32(info.dataPhysical);
        pb.ioFlRStBlk = 0;
        pb.ioFlRLgLen = clamp32(info.rsrcLength);
        pb.ioFlRPyLen = clamp32(info.rsrcLength);
        pb.ioFlCrDat = info.created;
        pb.ioFlMdDat = info.modified;
        pb.ioFlBkDat = 0;
        pb.ioFlXFndrInfo = toolbox::decodeFXInfo(info.finder);
        pb.ioFlParID = info.parID;
        pb.ioFlClpSiz = 0;
    }
    return pb.ioResult = noErr;
}

OSErr PBHGetFInfoSync(HParmBlkPtr paramBlock)
{
    HFileParam& pb = paramBlock->fileParam;
    CatalogEntry entry;
    bool reportName = false;
    const SInt16 index = pb.ioFDirIndex < 0 ? 0 : pb.ioFDirIndex;
    if (OSErr err = locate(pb.ioVRefNum, pb.ioDirID, index, pb.ioNamePtr, true, entry, reportName))
        return pb.ioResult = err;
    if (entry.isFolder)
        return pb.ioResult = fnfErr;
    ItemInfo info;
    if (OSErr err = describe(entry, info))
        return pb.ioResult = err;
    if (reportName)
        toolbox::setMacString(pb.ioNamePtr, entry.macName, 255);
    pb.ioFRefNum = 0;
    pb.ioFlAttrib = info.attributes;
    pb.ioFlVersNum = 0;
    pb.ioFlFndrInfo = toolbox::decodeFInfo(info.finder);
    pb.ioDirID = info.id;
    pb.ioFlStBlk = firstAllocationBlock(entry.path);
    pb.ioFlLgLen = clamp32(info.dataLength);
    pb.ioFlPyLen = clamp32(info.dataPhysical);
    pb.ioFlRStBlk = 0;
    pb.ioFlRLgLen = clamp32(info.rsrcLength);
    pb.ioFlRPyLen = clamp32(info.rsrcLength);
    pb.ioFlCrDat = info.created;
    pb.ioFlMdDat = info.modified;
    return pb.ioResult = noErr;
}

OSErr PBHGetVInfoSync(HParmBlkPtr paramBlock)
{
    HVolumeParam& pb = paramBlock->volumeParam;
    Catalog& catalog = Catalog::shared();
    if (pb.ioVolIndex > 1)
        return pb.ioResult = nsvErr;
    if (pb.ioVolIndex == 0) {
        if (OSErr err = catalog.checkVolume(pb.ioVRefNum))
            return pb.ioResult = err;
    }
    const fs::path root = catalog.rootPath();
    struct stat st;
    struct statvfs vfs;
    if (::stat(root.c_str(), &st) != 0 || ::statvfs(root.c_str(), &vfs) != 0)
        return pb.ioResult = nsvErr;
    toolbox::setMacString(pb.ioNamePtr, toolbox::macString(toolbox::kVolumeName), 27);
    const UInt64 blockSize = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    pb.ioVRefNum = toolbox::kStartupVRefNum;
    pb.ioVCrDate = macTime(st.st_ctime);
    pb.ioVLsMod = macTime(st.st_mtime);
    pb.ioVAtrb = SInt16((vfs.f_flag & ST_RDONLY) ? 0x8000 : 0); // software lock
    pb.ioVNmFls = UInt16(std::min<size_t>(catalog.listing(root).size(), 0xFFFF));
    pb.ioVBitMap = 0;
    pb.ioAllocPtr = 0;
    pb.ioVNmAlBlks = UInt16(std::min<UInt64>(vfs.f_blocks, 0xFFFF));
    pb.ioVAlBlkSiz = SInt32(std::min<UInt64>(blockSize, 0x7FFFFFFF));
    pb.ioVClpSiz = pb.ioVAlBlkSiz;
    pb.ioAlBlSt = 0;
    pb.ioVNxtCNID = catalog.nextID();
    pb.ioVFrBlk = UInt16(std::min<UInt64>(vfs.f_bavail, 0xFFFF));
    pb.ioVSigWord = 0x482B; // 'H+'
    pb.ioVDrvInfo = toolbox::kDiskDriveNumber;
    pb.ioVDRefNum = toolbox::kDiskDriverRefNum;
    pb.ioVFSID = 0;
    pb.ioVBkUp = 0;
    pb.ioVSeqNum = 0;
    pb.ioVWrCnt = 0;
    pb.ioVFilCnt = 0;
    pb.ioVDirCnt = 0;
    std::memset(pb.ioVFndrInfo, 0, sizeof pb.ioVFndrInfo);
    return pb.ioResult = noErr;
}

OSErr PBFlushVolSync(ParmBlkPtr paramBlock)
{
    VolumeParam& pb = paramBlock->volumeParam;
    Catalog& catalog = Catalog::shared();
    if (OSErr err = catalog.checkVolume(pb.ioVRefNum))
        return pb.ioResult = err;
    OSErr err = toolbox::ForkTable::shared().flushAll();
    const int fd = ::open(catalog.rootPath().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return pb.ioResult = nsvErr;
    if (::syncfs(fd) != 0 && !err)
        err = toolbox::osErrFromErrno(errno);
    ::close(fd);
    return pb.ioResult = err;
}
