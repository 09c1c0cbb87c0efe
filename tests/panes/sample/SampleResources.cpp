#include "SampleResources.h"

// The path-based opening of a plain data-fork resource file is the toolbox
// layer's own; a Macintosh would have opened the application's resources
// before main.
#include "resources/ResourceFileAccess.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

bool OpenSampleResources()
{
    std::filesystem::path path;
    if (const char* named = std::getenv("TARNWICK_RESOURCES")) {
        path = named;
    } else {
        std::error_code error;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
        path = exe.parent_path() / ".." / "share" / "korvendale" / "Tarnwick X.rsrc";
    }
    SInt16 refNum = 0;
    const OSErr err = toolbox::openResourceFileAtPath(path, 1, &refNum);
    if (err != noErr) {
        std::fprintf(
            stderr, "panes-sample: cannot open the resource file %s (error %d)\n", path.c_str(), err);
        return false;
    }
    return true;
}
