// kextload: the loader on the simulated disk (sbin/kextload). Loading the
// Korvendale extension publishes its register nodes and runs its L2 test.
// The path is a Mac path, taken on the disk of the machine in use, or a path
// on the host.
#include <macsim/DiskLayout.h>
#include <macsim/Extension.h>
#include <macsim/MachineLocation.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* usage = "usage: kextload extension\n"
                              "  loads the kernel extension at the path extension\n";

int complain(const std::string& message)
{
    std::fprintf(stderr, "kextload: %s\n", message.c_str());
    return 1;
}

bool isDirectory(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

// The extension's folder on the host, or empty when there is none.
fs::path locate(const std::string& argument)
{
    fs::path given(argument);
    if (given.is_absolute()) {
        fs::path onDisk = macsim::diskDirectory() / given.relative_path();
        if (isDirectory(onDisk))
            return onDisk;
    }
    return isDirectory(given) ? given : fs::path();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(usage, stderr);
        return 1;
    }
    std::string argument = argv[1];
    fs::path folder = locate(argument);
    if (folder.empty())
        return complain("can't find extension " + argument + ": No such file or directory");
    std::error_code ec;
    if (!fs::is_regular_file(folder / "Contents" / "Info.plist", ec))
        return complain(argument + " is not a valid kernel extension (it has no Contents/Info.plist)");
    fs::path name = fs::path(macsim::extensionPath).filename();
    if (folder.lexically_normal().filename() != name
        && folder.lexically_normal().parent_path().filename() != name)
        return complain(argument + ": this machine has no driver for that extension");

    // Loading a loaded extension is quietly a success: the startup item may
    // run more than once per boot, and it prints nothing.
    bool wasLoaded = false;
    if (macsim::Error e = macsim::loadExtension(macsim::machineDirectory().string(), wasLoaded))
        return complain(e.message);
    return 0;
}
