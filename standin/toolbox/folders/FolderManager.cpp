// FindFolder over the simulated disk; the table and its rules are in Folders.h.
#include <Folders.h>

#include "files/Catalog.h"
#include "files/HostErrors.h"

#include <cerrno>
#include <sys/stat.h>
#include <utility>

namespace {

struct FolderPlace {
    OSType type;
    const char* path; // relative to the disk
};

constexpr FolderPlace kFolderPlaces[] = {
    {kSystemFolderType, "System"},
    {kDesktopFolderType, "Users/Shared/Desktop"},
    {kTrashFolderType, "Users/Shared/.Trash"},
    {kStartupFolderType, "Library/StartupItems"},
    {kExtensionFolderType, "System/Library/Extensions"},
    {kKernelExtensionsFolderType, "System/Library/Extensions"},
    {kFontsFolderType, "Library/Fonts"},
    {kPreferencesFolderType, "Library/Preferences"},
    {kSystemPreferencesFolderType, "Library/PreferencePanes"},
    {kTemporaryFolderType, "private/tmp"},
    {kApplicationSupportFolderType, "Library/Application Support"},
    {kDomainLibraryFolderType, "Library"},
    {kApplicationsFolderType, "Applications"},
    {kDocumentsFolderType, "Users/Shared/Documents"},
    {kCurrentUserFolderType, "Users/Shared"},
};

OSErr makeFolders(const std::filesystem::path& root, const std::filesystem::path& relative)
{
    std::filesystem::path here = root;
    for (const auto& part : relative) {
        here /= part;
        if (::mkdir(here.c_str(), 0777) != 0 && errno != EEXIST)
            return toolbox::osErrFromErrno(errno);
    }
    return noErr;
}

} // namespace

OSErr FindFolder(
    SInt16 vRefNum, OSType folderType, Boolean createFolder, SInt16* foundVRefNum, SInt32* foundDirID)
{
    toolbox::Catalog& catalog = toolbox::Catalog::shared();
    if (OSErr err = catalog.checkVolume(vRefNum))
        return err;
    const FolderPlace* place = nullptr;
    for (const FolderPlace& candidate : kFolderPlaces) {
        if (candidate.type == folderType)
            place = &candidate;
    }
    if (!place)
        return fnfErr;
    const std::filesystem::path root = catalog.rootPath();
    struct stat st;
    if (::stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return nsvErr;
    const std::filesystem::path folder = root / place->path;
    if (::stat(folder.c_str(), &st) != 0) {
        if (!createFolder)
            return fnfErr;
        if (OSErr err = makeFolders(root, place->path))
            return err;
    } else if (!S_ISDIR(st.st_mode)) {
        return dupFNErr; // a file stands where the folder belongs
    }
    if (foundVRefNum)
        *foundVRefNum = toolbox::kStartupVRefNum;
    if (foundDirID)
        *foundDirID = catalog.idOf(folder);
    return noErr;
}
