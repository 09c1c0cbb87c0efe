#include "events/QuitSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace toolbox {

namespace {

int pipeEnds[2] = {-1, -1};
volatile sig_atomic_t asked[2] = {0, 0};
void (*lastWords)() = nullptr;

extern "C" void onQuitSignal(int sig)
{
    volatile sig_atomic_t& before = asked[sig == SIGTERM ? 0 : 1];
    if (before) {
        if (lastWords)
            lastWords();
        std::signal(sig, SIG_DFL);
        raise(sig);
        return;
    }
    before = 1;
    int savedErrno = errno;
    char byte = 'q';
    [[maybe_unused]] ssize_t n = write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

void installQuitSignals()
{
    if (pipeEnds[0] >= 0)
        return;
    if (pipe(pipeEnds) != 0)
        return;
    for (int fd : pipeEnds) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int quitSignalDescriptor()
{
    return pipeEnds[0];
}

void setQuitSignalLastWords(void (*restore)())
{
    lastWords = restore;
}

bool takeQuitSignal()
{
    if (pipeEnds[0] < 0)
        return false;
    char buffer[16];
    bool any = false;
    while (read(pipeEnds[0], buffer, sizeof buffer) > 0)
        any = true;
    return any;
}

} // namespace toolbox
