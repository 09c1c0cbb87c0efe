// The application's files are found from its own executable, so an installed
// tree works wherever it was moved to, and the build tree works as is.
#include "ApplicationFiles.h"

#include <HostResourceFiles.h>
#include <MacTypes.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::filesystem::path ExecutableDirectory()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : exe.parent_path();
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
