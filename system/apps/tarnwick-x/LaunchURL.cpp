// Internet Config has no counterpart here: the desktop's own opener
// (xdg-open) or the user's BROWSER stands in for it. The program is started
// directly, never through a shell, so the address cannot be read as a
// command whatever it holds.
#include "LaunchURL.h"

#include <support/ThrowError.h>

#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

KORV_SOURCE_UNIT("LaunchURL");

namespace {

// Browsers started earlier, reaped when they have ended so that none is
// left a zombie for the rest of the run.
std::vector<pid_t>& startedBrowsers()
{
    static std::vector<pid_t> pids;
    return pids;
}

void ReapEndedBrowsers()
{
    auto& pids = startedBrowsers();
    std::erase_if(pids, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

} // namespace

void LaunchURL(const char* url)
{
    ReapEndedBrowsers();
    const char* browser = std::getenv("BROWSER");
    const char* program = browser && *browser ? browser : "xdg-open";
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(url), nullptr};
    pid_t pid = 0;
    const int err = posix_spawnp(&pid, program, nullptr, nullptr, argv, environ);
    if (err != 0)
        THROW_ERR(err, PSTR("An unexpected error occurred starting the web browser!"));
    startedBrowsers().push_back(pid);
}
