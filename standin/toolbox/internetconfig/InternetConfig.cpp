// Internet Config hands addresses to the desktop's helper. Helpers started
// earlier are reaped once they have ended, so none is left a zombie for the
// rest of the run.
#include <InternetConfig.h>

#include "files/HostErrors.h"

#include <MacMemory.h>

#include <cstdlib>
#include <new>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

struct OpaqueICInstance {
    OSType signature;
};

namespace {

std::vector<pid_t>& startedHelpers()
{
    static std::vector<pid_t> pids;
    return pids;
}

void reapEndedHelpers()
{
    std::erase_if(startedHelpers(), [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

} // namespace

OSStatus ICStart(ICInstance* inst, OSType signature)
{
    if (!inst)
        return paramErr;
    *inst = new (std::nothrow) OpaqueICInstance {signature};
    return *inst ? OSStatus(noErr) : OSStatus(memFullErr);
}

OSStatus ICStop(ICInstance inst)
{
    if (!inst)
        return paramErr;
    delete inst;
    return noErr;
}

OSStatus ICLaunchURL(
    ICInstance inst, ConstStr255Param, const char* data, long len, long* selStart, long* selEnd)
{
    if (!inst || !data || !selStart || !selEnd || len < 0 || *selStart < 0 || *selEnd > len
        || *selStart > *selEnd)
        return paramErr;
    if (*selStart == *selEnd)
        return icNoURLErr;
    reapEndedHelpers();
    try {
        std::string url(data + *selStart, size_t(*selEnd - *selStart));
        const char* browser = std::getenv("BROWSER");
        std::string program = browser && *browser ? browser : "xdg-open";
        char* argv[] = {program.data(), url.data(), nullptr};
        pid_t pid = 0;
        if (const int err = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ))
            return toolbox::osErrFromErrno(err);
        startedHelpers().push_back(pid);
    } catch (...) { // out of memory: nothing may escape the toolbox
        return memFullErr;
    }
    return noErr;
}
