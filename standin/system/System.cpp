// The command is split at blanks and the program started directly: the
// commands a Mac program of ours runs are fixed, and no shell takes part in
// quoting or PATH lookup. The result is what system(3) gives: the wait status,
// 127 as the exit code when the program could not be started, -1 when no
// child could be made.
#include <machine/Machine.h>

#include <cerrno>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

std::vector<std::string> splitWords(const char* command)
{
    std::vector<std::string> words;
    std::string word;
    for (const char* c = command; *c; ++c) {
        if (*c == ' ' || *c == '\t') {
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

int run(const char* command)
{
    std::vector<std::string> words = machine::current().hostCommand(splitWords(command));
    if (words.empty())
        return 0;
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child;
    const int err = posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (err == EAGAIN || err == ENOMEM) {
        errno = err;
        return -1;
    }
    if (err != 0)
        return 127 << 8; // as a shell that cannot find the program exits
    int status;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return status;
}

} // namespace

extern "C" int system(const char* command)
{
    if (!command)
        return 1; // a command processor is there
    try {
        return run(command);
    } catch (...) { // out of memory: nothing may escape into C callers
        errno = ENOMEM;
        return -1;
    }
}
