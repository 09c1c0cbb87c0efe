// Runs a command the way the Mac's `system` would, on the simulated disk: the
// command's absolute paths are Mac paths, so each is taken relative to the
// disk's folder. The program is started directly; a fixed command needs no
// shell, and none is involved in quoting or PATH lookup.
#include "Stupidmain.h"

#include <macsim/MachineLocation.h>

#include <cerrno>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

std::vector<std::string> SplitWords(const char* str)
{
    std::vector<std::string> words;
    std::string word;
    for (const char* c = str; *c; ++c) {
        if (*c == ' ') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += *c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

} // namespace

void stupidsystem(char* str)
{
    std::vector<std::string> words = SplitWords(str);
    if (words.empty())
        return;

    try {
        const std::string disk = macsim::diskDirectory().string();
        for (auto& word : words) {
            if (word.front() == '/')
                word = disk + word;
        }
    } catch (...) {
        return; // no disk, nothing to run
    }

    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return;
    int status;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) { }
}
