// The catalog of the one volume: directory and file IDs, Mac names and
// partial paths resolved to host paths, and folder listings as the File
// Manager indexes them. Files.h documents the rules it implements.
#pragma once

#include <Files.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace toolbox {

constexpr SInt16 kStartupVRefNum = -1;
constexpr SInt32 kRootParentID = 1;
constexpr SInt32 kRootDirID = 2;
constexpr unsigned char kVolumeName[] = "\x0cMacintosh HD";

// An item named by volume, folder and name; it may not exist yet.
struct CatalogEntry {
    std::filesystem::path path; // the item on the host
    SInt32 parID = 0; // its folder's ID (1 for the root)
    std::string macName; // its name as the Mac sees it
    bool exists = false;
    bool isFolder = false;
    bool isRoot = false;
};

// Mac names and host names differ only in '/' and ':', which trade places.
std::string hostNameFromMac(const std::string& macName);
std::string macNameFromHost(const std::string& hostName);
std::string macString(ConstStringPtr p);
// Copies `s` as a length-prefixed string of at most `capacity` characters.
void setMacString(StringPtr dst, const std::string& s, size_t capacity = 255);

class Catalog {
public:
    static Catalog& shared();

    // The startup disk's folder, absolute and normalised.
    std::filesystem::path rootPath() const;
    // HGetVol's default directory: the folder of the program as it was started.
    const std::filesystem::path& defaultDirectory();

    OSErr checkVolume(SInt16 vRefNum) const;
    SInt32 idOf(const std::filesystem::path& path);
    SInt32 parentIDOf(const std::filesystem::path& path);
    // The folder with this ID (dirID 0: the default directory): dirNFErr when
    // there is none or it is not a folder, nsvErr when the disk is missing.
    OSErr folderPath(SInt32 dirID, std::filesystem::path& out);
    // The file or folder with this ID: fnfErr when there is none.
    OSErr itemPath(SInt32 id, std::filesystem::path& out);
    // The program's own file as it was started (argv[0] when it names a
    // path, so a program reached through a link finds itself there).
    const std::filesystem::path& programPath();

    // Resolves a name or partial path in a folder. noErr also when only the
    // last component is missing (entry.exists false); dirNFErr when a folder
    // on the way is missing; bdNamErr for names the volume cannot hold.
    OSErr resolve(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, CatalogEntry& entry);
    OSErr resolve(const FSSpec* spec, CatalogEntry& entry);
    // Fills an FSSpec for a resolved entry (bdNamErr when the name is too long).
    OSErr makeSpec(const CatalogEntry& entry, FSSpec* spec);
    // Checks a new name for an item (bdNamErr when it cannot be used).
    static OSErr checkName(const std::string& macName, size_t maxLength = 63);

    // The visible items of a folder in index order (host names).
    std::vector<std::string> listing(const std::filesystem::path& folder) const;
    // The host name in `folder` that `hostName` designates: itself, or the
    // one item that matches ignoring ASCII case. Empty when there is none.
    std::string findName(const std::filesystem::path& folder, const std::string& hostName) const;

    // Keeps IDs with their items when they move, and drops them when deleted.
    void moved(const std::filesystem::path& from, const std::filesystem::path& to);
    void forget(const std::filesystem::path& path);
    SInt32 nextID() const { return nextID_; }

private:
    Catalog() = default;
    OSErr describe(const std::filesystem::path& path, CatalogEntry& entry);

    std::map<std::string, SInt32> idsByPath_;
    std::map<SInt32, std::string> pathsByID_;
    SInt32 nextID_ = 16;
    std::filesystem::path programPath_;
    std::filesystem::path defaultDirectory_;
};

} // namespace toolbox
