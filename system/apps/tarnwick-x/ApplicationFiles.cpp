// The application's files are found from its own file, as the Process
// Manager gives it, so an installed tree works wherever it was moved to, and
// the build tree works as is.
#include "ApplicationFiles.h"

#include <Files.h>
#include <HostResourceFiles.h>
#include <MacTypes.h>
#include <Processes.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The folder holding the application's file, as a host path; the current
// folder if the Process Manager cannot tell.
std::filesystem::path ExecutableDirectory()
{
    ProcessSerialNumber process;
    FSSpec application;
    ProcessInfoRec info {};
    info.processInfoLength = sizeof info;
    info.processAppSpec = &application;
    FSRef ref;
    UInt8 path[4096];
    if (GetCurrentProcess(&process) == noErr && GetProcessInformation(&process, &info) == noErr
        && FSpMakeFSRef(&application, &ref) == noErr && FSRefMakePath(&ref, path, sizeof path) == noErr)
        return std::filesystem::path(reinterpret_cast<const char*>(path)).parent_path();
    std::error_code error;
    return std::filesystem::current_path(error);
}

// RFC 8089 file URL: unreserved path characters stay, every other byte is
// percent-encoded (the resource name itself has a space, a checkout may too).
std::string FileURL(const std::filesystem::path& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path.string()) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
            || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

} // namespace

std::filesystem::path ApplicationResourcesPath()
{
    if (const char* named = std::getenv("TARNWICK_RESOURCES"); named && *named)
        return named;
    return ExecutableDirectory() / ".." / "share" / "korvendale" / "Tarnwick X.rsrc";
}

bool OpenApplicationResources(SInt16& refNum)
{
    const auto path = ApplicationResourcesPath();
    const OSErr err = toolbox::openResourceFileAtPath(path, 1, &refNum);
    if (err != noErr) {
        std::fprintf(stderr, "tarnwick-x: cannot open the resource file \"%s\" (error %d)\n",
            path.lexically_normal().c_str(), err);
        return false;
    }
    return true;
}

const char* SupportPageAddress()
{
    static const std::string address = [] {
        const auto readme = ExecutableDirectory() / ".." / "share" / "doc" / "korvendale" / "README.md";
        std::error_code error;
        const auto resolved = std::filesystem::weakly_canonical(readme, error);
        return FileURL(error ? readme.lexically_normal() : resolved);
    }();
    return address.c_str();
}
