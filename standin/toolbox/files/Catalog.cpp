#include "files/Catalog.h"

#include "files/HostFiles.h"

#include <machine/Machine.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>

namespace toolbox {

namespace fs = std::filesystem;

namespace {

fs::path normalised(const fs::path& p)
{
    fs::path result = fs::absolute(p).lexically_normal();
    if (!result.has_filename() && result != result.root_path())
        result = result.parent_path();
    return result;
}

bool isWithin(const fs::path& item, const fs::path& folder)
{
    const std::string a = item.string(), b = folder.string();
    return a == b || (a.size() > b.size() && a.compare(0, b.size(), b) == 0 && a[b.size()] == '/');
}

char lowerASCII(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return lowerASCII(x) == lowerASCII(y);
    });
}

// Splits a partial path into its steps: a name, or "" for the parent folder.
// A leading ':' only marks the path as relative; a trailing one is dropped.
std::vector<std::string> pathSteps(const std::string& path, bool& absolute)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t colon = path.find(':', start);
        parts.push_back(path.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    absolute = parts.size() > 1 && !parts.front().empty();
    if (parts.size() > 1 && parts.front().empty())
        parts.erase(parts.begin());
    if (parts.size() > 1 && parts.back().empty())
        parts.pop_back();
    return parts;
}

} // namespace

std::string hostNameFromMac(const std::string& macName)
{
    std::string s = macName;
    std::replace(s.begin(), s.end(), '/', ':');
    return s;
}

std::string macNameFromHost(const std::string& hostName)
{
    std::string s = hostName;
    std::replace(s.begin(), s.end(), ':', '/');
    return s;
}

std::string macString(ConstStringPtr p)
{
    return p ? std::string(reinterpret_cast<const char*>(p + 1), p[0]) : std::string {};
}

void setMacString(StringPtr dst, const std::string& s, size_t capacity)
{
    if (!dst)
        return;
    const size_t n = std::min({s.size(), capacity, size_t(255)});
    dst[0] = static_cast<unsigned char>(n);
    std::memcpy(dst + 1, s.data(), n);
}

Catalog& Catalog::shared()
{
    static Catalog catalog;
    return catalog;
}

fs::path Catalog::rootPath() const
{
    return normalised(machine::current().diskFolder());
}

const fs::path& Catalog::programPath()
{
    if (programPath_.empty()) {
        // argv[0] as started, so that a program reached through a link on the
        // disk finds itself there rather than where the link points.
        std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
        std::string argv0;
        std::getline(cmdline, argv0, '\0');
        std::error_code ec;
        if (argv0.find('/') != std::string::npos)
            programPath_ = normalised(argv0);
        else if (fs::path exe = fs::read_symlink("/proc/self/exe", ec); !ec)
            programPath_ = normalised(exe);
        else
            programPath_ = normalised(fs::current_path(ec)) / (argv0.empty() ? "program" : argv0);
    }
    return programPath_;
}

const fs::path& Catalog::defaultDirectory()
{
    if (defaultDirectory_.empty())
        defaultDirectory_ = programPath().parent_path();
    return defaultDirectory_;
}

OSErr Catalog::itemPath(SInt32 id, fs::path& out)
{
    if (id == kRootDirID) {
        out = rootPath();
        return noErr;
    }
    auto it = pathsByID_.find(id);
    if (it == pathsByID_.end())
        return fnfErr;
    out = it->second;
    return noErr;
}

OSErr Catalog::checkVolume(SInt16 vRefNum) const
{
    if (vRefNum == 0 || vRefNum == kStartupVRefNum || vRefNum <= -32762)
        return noErr;
    return nsvErr;
}

SInt32 Catalog::idOf(const fs::path& path)
{
    const fs::path p = normalised(path);
    if (p == rootPath())
        return kRootDirID;
    auto it = idsByPath_.find(p.string());
    if (it != idsByPath_.end())
        return it->second;
    const SInt32 id = nextID_++;
    idsByPath_[p.string()] = id;
    pathsByID_[id] = p.string();
    return id;
}

SInt32 Catalog::parentIDOf(const fs::path& path)
{
    const fs::path p = normalised(path);
    if (p == rootPath() || p == p.root_path())
        return kRootParentID;
    return idOf(p.parent_path());
}

OSErr Catalog::folderPath(SInt32 dirID, fs::path& out)
{
    if (dirID == 0) {
        out = defaultDirectory();
    } else if (dirID == kRootDirID) {
        out = rootPath();
        struct stat st;
        if (::stat(out.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return nsvErr;
        return noErr;
    } else {
        auto it = pathsByID_.find(dirID);
        if (it == pathsByID_.end())
            return dirNFErr;
        out = it->second;
    }
    struct stat st;
    if (::stat(out.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return dirNFErr;
    return noErr;
}

OSErr Catalog::checkName(const std::string& macName, size_t maxLength)
{
    if (macName.empty() || macName.size() > maxLength || macName == "." || macName == ".."
        || macName.compare(0, 2, "._") == 0 || macName.find('\0') != std::string::npos
        || macName.find(':') != std::string::npos)
        return bdNamErr;
    return noErr;
}

std::vector<std::string> Catalog::listing(const fs::path& folder) const
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == ".." || name.compare(0, 2, "._") == 0)
            continue;
        names.push_back(name);
    }
    ::closedir(dir);
    // HFS orders its catalog ignoring case; ties fall back to the bytes so the
    // order is total and indexes stay put between calls.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto la = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return lowerASCII(x) < lowerASCII(y); });
        const auto lb = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
            [](char x, char y) { return lowerASCII(x) < lowerASCII(y); });
        return la || (!lb && a < b);
    });
    return names;
}

std::string Catalog::findName(const fs::path& folder, const std::string& hostName) const
{
    if (lexists(folder / hostName))
        return hostName;
    for (const std::string& name : listing(folder)) {
        if (equalIgnoringCase(name, hostName))
            return name;
    }
    return {};
}

OSErr Catalog::describe(const fs::path& path, CatalogEntry& entry)
{
    entry.path = path;
    entry.isRoot = path == rootPath();
    entry.parID = parentIDOf(path);
    entry.macName = entry.isRoot ? macString(kVolumeName) : macNameFromHost(path.filename().string());
    struct stat st;
    entry.exists = ::stat(path.c_str(), &st) == 0;
    entry.isFolder = entry.exists && S_ISDIR(st.st_mode);
    return noErr;
}

OSErr Catalog::resolve(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, CatalogEntry& entry)
{
    entry = CatalogEntry {};
    if (OSErr err = checkVolume(vRefNum))
        return err;
    bool absolute = false;
    std::vector<std::string> steps = pathSteps(macString(name), absolute);
    fs::path here;
    if (absolute || dirID == kRootParentID) {
        // A full path, or a name in the root's parent: the first step names the volume.
        if (!absolute && steps.size() == 1 && steps.front().empty())
            return dirNFErr; // the root's parent is no folder of its own
        if (!equalIgnoringCase(steps.front(), macString(kVolumeName)))
            return steps.size() == 1 && !absolute ? fnfErr : nsvErr;
        steps.erase(steps.begin());
        here = rootPath();
        struct stat st;
        if (::stat(here.c_str(), &st) != 0)
            return nsvErr;
        if (steps.empty())
            return describe(here, entry);
    } else if (OSErr err = folderPath(dirID, here)) {
        return err;
    }

    if (steps.size() == 1 && steps.front().empty())
        return describe(here, entry); // no name: the folder itself

    for (size_t i = 0; i < steps.size(); ++i) {
        const bool last = i + 1 == steps.size();
        if (steps[i].empty()) {
            if (here == rootPath() || here == here.root_path())
                return dirNFErr;
            here = here.parent_path();
            if (last)
                return describe(here, entry);
            continue;
        }
        const std::string wanted = hostNameFromMac(steps[i]);
        if (wanted.size() > 255 || wanted == "." || wanted == ".." || wanted.compare(0, 2, "._") == 0)
            return bdNamErr;
        const std::string found = findName(here, wanted);
        if (last) {
            describe(here / (found.empty() ? wanted : found), entry);
            return noErr;
        }
        struct stat st;
        if (found.empty() || ::stat((here / found).c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return dirNFErr;
        here /= found;
    }
    return noErr;
}

OSErr Catalog::resolve(const FSSpec* spec, CatalogEntry& entry)
{
    if (!spec)
        return paramErr;
    return resolve(spec->vRefNum, spec->parID, spec->name, entry);
}

OSErr Catalog::makeSpec(const CatalogEntry& entry, FSSpec* spec)
{
    if (entry.macName.size() > 63)
        return bdNamErr;
    spec->vRefNum = kStartupVRefNum;
    spec->parID = entry.parID;
    setMacString(spec->name, entry.macName, 63);
    return noErr;
}

void Catalog::moved(const fs::path& fromPath, const fs::path& toPath)
{
    const fs::path from = normalised(fromPath), to = normalised(toPath);
    forget(to); // whatever stood there before is gone
    std::map<std::string, SInt32> updated;
    for (auto it = idsByPath_.begin(); it != idsByPath_.end();) {
        if (isWithin(it->first, from)) {
            const std::string renamed = to.string() + it->first.substr(from.string().size());
            updated[renamed] = it->second;
            pathsByID_[it->second] = renamed;
            it = idsByPath_.erase(it);
        } else {
            ++it;
        }
    }
    idsByPath_.merge(updated);
}

void Catalog::forget(const fs::path& path)
{
    const fs::path p = normalised(path);
    for (auto it = idsByPath_.begin(); it != idsByPath_.end();) {
        if (isWithin(it->first, p)) {
            pathsByID_.erase(it->second);
            it = idsByPath_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace toolbox
