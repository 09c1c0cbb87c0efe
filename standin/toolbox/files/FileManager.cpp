// The File Manager's calls on named items: specifications, creation,
// deletion, Finder info, renaming, moving and exchanging. Every item moves
// together with its sidecar.
#include "files/AppleDouble.h"
#include "files/Catalog.h"
#include "files/FinderInfo.h"
#include "files/ForkTable.h"
#include "files/HostErrors.h"
#include "files/HostFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using toolbox::Catalog;
using toolbox::CatalogEntry;

namespace {

// Moves an item and its sidecar; the target must not exist.
OSErr moveItem(const fs::path& from, const fs::path& to)
{
    if (int error = toolbox::renameNoReplace(from, to))
        return toolbox::osErrFromErrno(error);
    const fs::path fromSidecar = toolbox::sidecarPath(from), toSidecar = toolbox::sidecarPath(to);
    if (toolbox::lexists(fromSidecar)) {
        if (::rename(fromSidecar.c_str(), toSidecar.c_str()) != 0) {
            const int error = errno;
            ::rename(to.c_str(), from.c_str());
            return toolbox::osErrFromErrno(error);
        }
    } else {
        ::unlink(toSidecar.c_str()); // a stray sidecar must not dress the moved item
    }
    Catalog::shared().moved(from, to);
    toolbox::ForkTable::shared().moved(from, to);
    return noErr;
}

OSErr resolveExisting(const FSSpec* spec, CatalogEntry& entry)
{
    if (OSErr err = Catalog::shared().resolve(spec, entry))
        return err;
    return entry.exists ? OSErr(noErr) : fnfErr;
}

OSErr resolveFile(const FSSpec* spec, CatalogEntry& entry)
{
    if (OSErr err = resolveExisting(spec, entry))
        return err;
    return entry.isFolder ? fnfErr : OSErr(noErr);
}

} // namespace

OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, FSSpec* spec)
{
    if (!spec)
        return paramErr;
    CatalogEntry entry;
    if (OSErr err = Catalog::shared().resolve(vRefNum, dirID, fileName, entry))
        return err;
    if (OSErr err = Catalog::shared().makeSpec(entry, spec))
        return err;
    return entry.exists ? OSErr(noErr) : fnfErr;
}

OSErr FSpCreate(const FSSpec* spec, OSType creator, OSType fileType, ScriptCode)
{
    CatalogEntry entry;
    if (OSErr err = Catalog::shared().resolve(spec, entry))
        return err;
    if (entry.exists)
        return dupFNErr;
    if (OSErr err = Catalog::checkName(entry.macName))
        return err;
    const int fd = ::open(entry.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return toolbox::osErrFromErrno(errno);
    ::close(fd);
    OSErr err = noErr;
    if (creator || fileType) {
        toolbox::AppleDouble sidecar;
        FInfo info {};
        info.fdType = fileType;
        info.fdCreator = creator;
        toolbox::FinderInfoBytes bytes {};
        toolbox::encodeFInfo(info, bytes);
        sidecar.setFinderInfo(bytes);
        err = toolbox::writeSidecar(entry.path, sidecar);
    } else if (::unlink(toolbox::sidecarPath(entry.path).c_str()) != 0 && errno != ENOENT) {
        err = toolbox::osErrFromErrno(errno);
    }
    if (err) // no half-made file: without its Finder info it is not what was asked for
        ::unlink(entry.path.c_str());
    return err;
}

OSErr FSpDirCreate(const FSSpec* spec, ScriptCode, SInt32* createdDirID)
{
    CatalogEntry entry;
    if (OSErr err = Catalog::shared().resolve(spec, entry))
        return err;
    if (entry.exists)
        return dupFNErr;
    if (OSErr err = Catalog::checkName(entry.macName))
        return err;
    if (::mkdir(entry.path.c_str(), 0777) != 0)
        return toolbox::osErrFromErrno(errno);
    if (createdDirID)
        *createdDirID = Catalog::shared().idOf(entry.path);
    return noErr;
}

OSErr FSpDelete(const FSSpec* spec)
{
    CatalogEntry entry;
    if (OSErr err = resolveExisting(spec, entry))
        return err;
    if (entry.isRoot || toolbox::ForkTable::shared().isOpen(entry.path))
        return fBsyErr;
    if ((entry.isFolder ? ::rmdir(entry.path.c_str()) : ::unlink(entry.path.c_str())) != 0)
        return toolbox::osErrFromErrno(errno);
    ::unlink(toolbox::sidecarPath(entry.path).c_str());
    Catalog::shared().forget(entry.path);
    return noErr;
}

OSErr FSpGetFInfo(const FSSpec* spec, FInfo* fndrInfo)
{
    CatalogEntry entry;
    if (OSErr err = resolveFile(spec, entry))
        return err;
    toolbox::AppleDouble sidecar;
    if (OSErr err = toolbox::readSidecar(entry.path, sidecar))
        return err;
    if (fndrInfo)
        *fndrInfo = toolbox::decodeFInfo(sidecar.finderInfo());
    return noErr;
}

OSErr FSpSetFInfo(const FSSpec* spec, const FInfo* fndrInfo)
{
    if (!fndrInfo)
        return paramErr;
    CatalogEntry entry;
    if (OSErr err = resolveFile(spec, entry))
        return err;
    toolbox::AppleDouble sidecar;
    if (OSErr err = toolbox::readSidecar(entry.path, sidecar))
        return err;
    toolbox::FinderInfoBytes bytes = sidecar.finderInfo();
    toolbox::encodeFInfo(*fndrInfo, bytes);
    sidecar.setFinderInfo(bytes);
    return toolbox::writeSidecar(entry.path, sidecar);
}

OSErr FSpRename(const FSSpec* spec, ConstStr255Param newName)
{
    CatalogEntry entry;
    if (OSErr err = resolveExisting(spec, entry))
        return err;
    if (entry.isRoot)
        return paramErr;
    const std::string macName = toolbox::macString(newName);
    if (OSErr err = Catalog::checkName(macName))
        return err;
    const fs::path folder = entry.path.parent_path();
    const std::string hostName = toolbox::hostNameFromMac(macName);
    const std::string clash = Catalog::shared().findName(folder, hostName);
    if (clash == entry.path.filename().string()) {
        if (clash == hostName)
            return noErr; // same name
    } else if (!clash.empty()) {
        return dupFNErr;
    }
    return moveItem(entry.path, folder / hostName);
}

OSErr FSpExchangeFiles(const FSSpec* source, const FSSpec* dest)
{
    CatalogEntry a, b;
    if (OSErr err = resolveExisting(source, a))
        return err;
    if (OSErr err = resolveExisting(dest, b))
        return err;
    if (a.isFolder || b.isFolder)
        return notAFileErr;
    if (a.path == b.path)
        return noErr;
    if (toolbox::ForkTable::shared().isOpen(a.path) || toolbox::ForkTable::shared().isOpen(b.path))
        return fBsyErr;
    if (int error = toolbox::renameExchange(a.path, b.path))
        return toolbox::osErrFromErrno(error);
    const fs::path sa = toolbox::sidecarPath(a.path), sb = toolbox::sidecarPath(b.path);
    const bool hasA = toolbox::lexists(sa), hasB = toolbox::lexists(sb);
    int error = 0;
    if (hasA && hasB)
        error = toolbox::renameExchange(sa, sb);
    else if (hasA)
        error = ::rename(sa.c_str(), sb.c_str()) == 0 ? 0 : errno;
    else if (hasB)
        error = ::rename(sb.c_str(), sa.c_str()) == 0 ? 0 : errno;
    if (error) // put the data back with its own Finder info rather than mismatch them
        toolbox::renameExchange(a.path, b.path);
    return toolbox::osErrFromErrno(error);
}

OSErr CatMove(
    SInt16 vRefNum, SInt32 dirID, ConstStr255Param oldName, SInt32 newDirID, ConstStr255Param newName)
{
    CatalogEntry source, target;
    Catalog& catalog = Catalog::shared();
    if (OSErr err = catalog.resolve(vRefNum, dirID, oldName, source))
        return err;
    if (!source.exists)
        return fnfErr;
    if (source.isRoot)
        return badMovErr;
    if (OSErr err = catalog.resolve(vRefNum, newDirID, newName, target))
        return err;
    if (!target.exists || !target.isFolder)
        return dirNFErr;
    const fs::path destination = target.path / source.path.filename();
    if (source.path.parent_path() == target.path)
        return noErr; // already there
    const std::string t = target.path.string(), s = source.path.string();
    if (source.isFolder && t.compare(0, s.size(), s) == 0 && (t.size() == s.size() || t[s.size()] == '/'))
        return badMovErr; // into itself
    if (!catalog.findName(target.path, source.path.filename().string()).empty())
        return dupFNErr;
    return moveItem(source.path, destination);
}

OSErr HGetVol(StringPtr volName, SInt16* vRefNum, SInt32* dirID)
{
    Catalog& catalog = Catalog::shared();
    toolbox::setMacString(volName, toolbox::macString(toolbox::kVolumeName));
    if (vRefNum)
        *vRefNum = toolbox::kStartupVRefNum;
    if (dirID)
        *dirID = catalog.idOf(catalog.defaultDirectory());
    return noErr;
}
