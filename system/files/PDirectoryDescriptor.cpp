// Folder-level operations over the File Manager's catalog.
#include <files/PDataFile.h>
#include <files/PDirectoryDescriptor.h>
#include <files/PFileDescriptor.h>

#include <support/ThrowError.h>
#include <support/UtilityFunctions.h>

#include <Files.h>
#include <Folders.h>
#include <MacMemory.h>

KORV_SOURCE_UNIT("PFiles");

__attribute__((weak)) int MyFolderLevelsAboveDefaultDirectory()
{
    return 0;
}

namespace {

// Closes a fork and frees a transfer block however copyFile leaves.
class ForkCloser {
public:
    ForkCloser() = default;
    ForkCloser(const ForkCloser&) = delete;
    ForkCloser& operator=(const ForkCloser&) = delete;
    ~ForkCloser()
    {
        if (open)
            FSClose(refNum);
    }
    SInt16 refNum = 0;
    bool open = false;
};

class BlockReleaser {
public:
    explicit BlockReleaser(Ptr p)
        : block(p)
    {
    }
    BlockReleaser(const BlockReleaser&) = delete;
    BlockReleaser& operator=(const BlockReleaser&) = delete;
    ~BlockReleaser() { DisposePtr(block); }
    Ptr block;
};

} // namespace

PDirectoryDescriptor::PDirectoryDescriptor(UInt32 special)
    : dirID(0)
    , vRefNum(0)
    , descriptorGood(false)
{
    OSErr err;
    if (special == kMyFolder)
        err = HGetVol(nil, &vRefNum, &dirID);
    else
        err = FindFolder(kOnSystemDisk, special, kCreateFolder, &vRefNum, &dirID);
    descriptorGood = err == noErr;
    if (special != kMyFolder)
        return;
    for (int level = 0; level < MyFolderLevelsAboveDefaultDirectory(); ++level) {
        Str255 folderName;
        CInfoPBRec pb {};
        pb.dirInfo.ioNamePtr = folderName;
        pb.dirInfo.ioVRefNum = vRefNum;
        pb.dirInfo.ioFDirIndex = -1;
        pb.dirInfo.ioDrDirID = dirID;
        THROW_IF_ERR(PBGetCatInfoSync(&pb),
            PSTR("PBGetCatInfoSync() in PDirectoryDescriptor::PDirectoryDescriptor() failed!"));
        dirID = pb.dirInfo.ioDrParID;
    }
}

PDirectoryDescriptor::PDirectoryDescriptor(const PDirectoryDescriptor& copy)
    : dirID(copy.dirID)
    , vRefNum(copy.vRefNum)
    , descriptorGood(true)
{
}

PDirectoryDescriptor::PDirectoryDescriptor(SInt32 dirID, SInt16 vRefNum)
    : dirID(dirID)
    , vRefNum(vRefNum)
    , descriptorGood(true)
{
}

PDirectoryDescriptor::PDirectoryDescriptor(Unresolved)
    : dirID(0)
    , vRefNum(0)
    , descriptorGood(false)
{
}

PDirectoryDescriptor PDirectoryDescriptor::resolvedQuietly(UInt32 special)
{
    try {
        return PDirectoryDescriptor(special);
    } catch (const ThrowError&) {
        return PDirectoryDescriptor(Unresolved {});
    }
}

PDirectoryDescriptor PDirectoryDescriptor::parent() const
{
    THROW_ASSERT(descriptorGood == true);
    Str255 folderName;
    CInfoPBRec pb {};
    pb.dirInfo.ioNamePtr = folderName;
    pb.dirInfo.ioVRefNum = vRefNum;
    pb.dirInfo.ioFDirIndex = -1;
    pb.dirInfo.ioDrDirID = dirID;
    THROW_IF_ERR(PBGetCatInfoSync(&pb), PSTR("PBGetCatInfoSync() in PDirectoryDescriptor::parent() failed!"));
    return PDirectoryDescriptor(pb.dirInfo.ioDrParID, vRefNum);
}

namespace {

// Looks `name` up in a folder as the partial path ":name".
OSErr lookUpByName(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, CInfoPBRec& pb)
{
    Str255 path;
    path[0] = 1;
    path[1] = ':';
    pstrcat(path, name);
    pb = CInfoPBRec {};
    pb.hFileInfo.ioNamePtr = path;
    pb.hFileInfo.ioVRefNum = vRefNum;
    pb.hFileInfo.ioFDirIndex = 0;
    pb.hFileInfo.ioDirID = dirID;
    const OSErr err = PBGetCatInfoSync(&pb);
    pb.hFileInfo.ioNamePtr = nil; // the path lives only here
    return err;
}

// The first file of the folder with this creator and type, by index order;
// the lookup's code (fnfErr past the last entry) when there is none.
OSErr searchByType(SInt16 vRefNum, SInt32 dirID, OSType creator, OSType type, Str255 foundName)
{
    for (SInt16 index = 1; index > 0; ++index) {
        CInfoPBRec pb {};
        pb.hFileInfo.ioNamePtr = foundName;
        pb.hFileInfo.ioVRefNum = vRefNum;
        pb.hFileInfo.ioFDirIndex = index;
        pb.hFileInfo.ioDirID = dirID;
        if (OSErr err = PBGetCatInfoSync(&pb))
            return err;
        if (pb.hFileInfo.ioFlAttrib & kioFlAttribDirMask)
            continue;
        if (pb.hFileInfo.ioFlFndrInfo.fdCreator == creator && pb.hFileInfo.ioFlFndrInfo.fdType == type)
            return noErr;
    }
    return fnfErr;
}

} // namespace

Boolean PDirectoryDescriptor::folderExists(ConstStr255Param name) const
{
    THROW_ASSERT(descriptorGood == true);
    CInfoPBRec pb;
    return lookUpByName(vRefNum, dirID, name, pb) == noErr;
}

PDirectoryDescriptor PDirectoryDescriptor::findFolder(ConstStr255Param name) const
{
    THROW_ASSERT(descriptorGood == true);
    CInfoPBRec pb;
    THROW_IF_ERR(lookUpByName(vRefNum, dirID, name, pb),
        PSTR("PBGetCatInfoSync() failed in PDirectoryDescriptor::subDirectory()!"));
    return PDirectoryDescriptor(pb.hFileInfo.ioDirID, vRefNum);
}

Boolean PDirectoryDescriptor::fileExists(ConstStr255Param name) const
{
    THROW_ASSERT(descriptorGood == true);
    FSSpec spec;
    return FSMakeFSSpec(vRefNum, dirID, name, &spec) == noErr;
}

Boolean PDirectoryDescriptor::fileExists(OSType creator, OSType type) const
{
    THROW_ASSERT(descriptorGood == true);
    Str255 name;
    return searchByType(vRefNum, dirID, creator, type, name) == noErr;
}

PFileDescriptor PDirectoryDescriptor::findFile(ConstStr255Param name) const
{
    THROW_ASSERT(descriptorGood == true);
    return PFileDescriptor(*this, name);
}

PFileDescriptor PDirectoryDescriptor::findFile(OSType creator, OSType type) const
{
    THROW_ASSERT(descriptorGood == true);
    Str255 name;
    THROW_IF_ERR(searchByType(vRefNum, dirID, creator, type, name),
        PSTR("PBGetCatInfoSync in PDirectoryDescriptor::findFile(OSType,OSType) failed!"));
    return PFileDescriptor(*this, name);
}

PFileDescriptor PDirectoryDescriptor::createFile(ConstStr255Param name, OSType creator, OSType type) const
{
    THROW_ASSERT(descriptorGood == true);
    FSSpec spec {};
    // The file is expected not to exist; a spec that could not be made at all
    // (a vanished folder, a bad name) must not be created from.
    const OSErr specErr = FSMakeFSSpec(vRefNum, dirID, name, &spec);
    if (specErr != noErr && specErr != fnfErr)
        THROW_ERR(specErr, PSTR("Error creating file!"));
    THROW_IF_ERR(FSpCreate(&spec, creator, type, 0), PSTR("Error creating file!"));
    return PFileDescriptor(*this, name);
}

void PDirectoryDescriptor::deleteFile(ConstStr255Param name) const
{
    THROW_ASSERT(descriptorGood == true);
    FSSpec spec;
    THROW_IF_ERR(FSMakeFSSpec(vRefNum, dirID, name, &spec), PSTR("Error making FSSpec!"));
    THROW_IF_ERR(FSpDelete(&spec), PSTR("Error deleting file!"));
}

void PDirectoryDescriptor::deleteFile(OSType creator, OSType type) const
{
    const PFileDescriptor file = findFile(creator, type);
    deleteFile(file.name());
}

void PDirectoryDescriptor::copyFork(const FSSpec& source, const FSSpec& destination, bool resourceFork) const
{
    auto open = resourceFork ? FSpOpenRF : FSpOpenDF;
    ForkCloser from, to;
    THROW_IF_ERR(open(&source, fsRdPerm, &from.refNum),
        resourceFork ? PSTR("Failed to open source resource fork!")
                     : PSTR("Failed to open source data fork!"));
    from.open = true;
    THROW_IF_ERR(open(&destination, fsWrPerm, &to.refNum),
        resourceFork ? PSTR("Failed to open destination resource fork!")
                     : PSTR("Failed to open destination data fork!"));
    to.open = true;
    SInt32 length = 0;
    THROW_IF_ERR(GetEOF(from.refNum, &length),
        resourceFork ? PSTR("Failed to get resource fork length!") : PSTR("Failed to get data fork length!"));
    BlockReleaser transfer(NewPtr(length));
    if (!transfer.block)
        THROW_ERR(MemError(),
            resourceFork ? PSTR("Failed to allocate memory for resource transfer!")
                         : PSTR("Failed to allocate memory for data transfer!"));
    SInt32 count = length;
    THROW_IF_ERR(FSRead(from.refNum, &count, transfer.block),
        resourceFork ? PSTR("Failed to read resource fork!") : PSTR("Failed to read data fork!"));
    count = length;
    THROW_IF_ERR(FSWrite(to.refNum, &count, transfer.block),
        resourceFork ? PSTR("Failed to write resource fork!") : PSTR("Failed to write data fork!"));
    // A fork that cannot be written back on close has not been copied.
    to.open = false;
    THROW_IF_ERR(FSClose(to.refNum),
        resourceFork ? PSTR("Failed to write resource fork!") : PSTR("Failed to write data fork!"));
}

void PDirectoryDescriptor::copyFile(ConstStr255Param name, const PDirectoryDescriptor& dest) const
{
    THROW_ASSERT(descriptorGood == true);
    FSSpec source, destination;
    THROW_IF_ERR(FSMakeFSSpec(vRefNum, dirID, name, &source), PSTR("Error making source FSSpec!"));
    const OSErr destErr = FSMakeFSSpec(dest.vRefNum, dest.dirID, name, &destination);
    if (destErr != noErr && destErr != fnfErr)
        THROW_ERR(destErr, PSTR("Error making destination FSSpec!"));
    FInfo info;
    THROW_IF_ERR(FSpGetFInfo(&source, &info), PSTR("Error getting creator/type info for source file!"));
    THROW_IF_ERR(FSpCreate(&destination, info.fdCreator, info.fdType, 0), PSTR("Error creating file!"));
    copyFork(source, destination, false);
    copyFork(source, destination, true);
}

void PDirectoryDescriptor::copyFile(OSType creator, OSType type, const PDirectoryDescriptor& dest) const
{
    const PFileDescriptor file = findFile(creator, type);
    copyFile(file.name(), dest);
}

void PDirectoryDescriptor::moveFrom(
    SInt16 fromVRefNum, SInt32 fromDirID, ConstStr255Param name, const PDirectoryDescriptor& dest) const
{
    Str255 workName;
    pstrcpy(workName, name);
    for (;;) {
        const OSErr err = CatMove(fromVRefNum, fromDirID, workName, dest.dirID, PSTR(":"));
        if (err != dupFNErr) {
            THROW_IF_ERR(err, PSTR("Error moving file!"));
            return;
        }
        FSSpec spec;
        THROW_IF_ERR(FSMakeFSSpec(vRefNum, dirID, workName, &spec), PSTR("Failed to create FSSpec!"));
        if (workName[0] == 0)
            THROW_ERR(bdNamErr, PSTR("Failed to rename file!")); // an empty name has no last character
        workName[workName[0]] = static_cast<unsigned char>(workName[workName[0]] + 1);
        THROW_IF_ERR(FSpRename(&spec, workName), PSTR("Failed to rename file!"));
    }
}

void PDirectoryDescriptor::moveFile(ConstStr255Param name, const PDirectoryDescriptor& dest) const
{
    THROW_ASSERT(descriptorGood == true);
    moveFrom(vRefNum, dirID, name, dest);
}

void PDirectoryDescriptor::moveFile(OSType creator, OSType type, const PDirectoryDescriptor& dest) const
{
    THROW_ASSERT(descriptorGood == true);
    const PFileDescriptor file = findFile(creator, type);
    moveFrom(file.getSpec().vRefNum, file.getSpec().parID, file.name(), dest);
}
