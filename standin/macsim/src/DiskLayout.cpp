#include "AtomicFile.h"

#include <macsim/DiskLayout.h>

#include <cerrno>
#include <filesystem>
#include <limits.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace macsim {

namespace {

constexpr const char* extensionInfoPlist = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>CFBundleExecutable</key>
	<string>KorvendaleKEXT</string>
	<key>CFBundleIdentifier</key>
	<string>com.korvendale.kext</string>
	<key>CFBundlePackageType</key>
	<string>KEXT</string>
	<key>CFBundleVersion</key>
	<string>1.0.0</string>
	<key>OSBundleLibraries</key>
	<dict>
		<key>com.apple.kernel</key>
		<string>6.0</string>
	</dict>
</dict>
</plist>
)";

constexpr const char* startupParameters = R"({
  Description     = "Korvendale L2 cache settings";
  Provides        = ("Korvendale");
  Requires        = ("Disks");
  OrderPreference = "Late";
  Messages =
  {
    start = "Applying L2 cache settings";
  };
}
)";

Error makeFolder(const fs::path& path)
{
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec)
        return fail(EIO, "cannot make " + path.string() + ": " + ec.message());
    return {};
}

Error makeSymlink(const fs::path& target, const fs::path& link)
{
    std::error_code ec;
    fs::remove(link, ec);
    fs::create_symlink(target, link, ec);
    if (ec)
        return fail(EIO, "cannot link " + link.string() + " to " + target.string() + ": " + ec.message());
    return {};
}

// <folder of the running program>/../<sub>/korvendale, or /usr/<sub>/korvendale.
std::string besideProgram(const char* sub)
{
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return std::string("/usr/") + sub + "/korvendale";
    fs::path exe(std::string(buffer, size_t(n)));
    return (exe.parent_path().parent_path() / sub / "korvendale").lexically_normal().string();
}

} // namespace

std::string libexecDirectory()
{
    return besideProgram("libexec");
}

std::string shareDirectory()
{
    return besideProgram("share");
}

Error buildDisk(const std::string& diskDir)
{
    fs::path disk(diskDir);
    fs::path items = disk / startupItemsPath;
    fs::path item = items / startupItemName;
    fs::path extension = disk / extensionPath;
    fs::path libexec = libexecDirectory();

    for (const fs::path& folder : {item, extension / "Contents", disk / "Library", disk / "Applications",
             disk / "Users", disk / "sbin", (disk / systemFilePath).parent_path()}) {
        if (Error e = makeFolder(folder))
            return e;
    }
    if (Error e = replaceFile((extension / "Contents" / "Info.plist").string(), extensionInfoPlist))
        return e;
    if (Error e = replaceFile((item / "StartupParameters.plist").string(), startupParameters))
        return e;
    if (Error e = makeSymlink(libexec / startupItemName, item / startupItemName))
        return e;
    if (Error e = makeSymlink(fs::path(shareDirectory()) / "System", disk / systemFilePath))
        return e;
    return makeSymlink(libexec / "kextload", disk / "sbin" / "kextload");
}

} // namespace macsim
