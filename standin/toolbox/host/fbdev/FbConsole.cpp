#include "host/fbdev/FbConsole.h"

#include "events/QuitSignals.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/kd.h>
#include <linux/vt.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace toolbox {

namespace {

constexpr int kReleaseSignal = SIGUSR1;
constexpr int kAcquireSignal = SIGUSR2;
constexpr unsigned kVtMajor = 4; // /dev/tty1 ... /dev/tty63

// What restore() gives back, kept where a signal handler can reach it.
struct Taken {
    int vt = -1;
    int keyboardMode = K_UNICODE;
    vt_mode switching {};
    bool switchingSet = false;
    int fb = -1;
    fb_cmap colourMap {};
    __u16 red[256] = {}, green[256] = {}, blue[256] = {};
    volatile sig_atomic_t showing = 1;
    volatile sig_atomic_t restored = 0;
};
Taken taken;
int switchPipe[2] = {-1, -1};

extern "C" void onSwitchSignal(int sig)
{
    int savedErrno = errno;
    char byte = sig == kReleaseSignal ? 'r' : 'a';
    [[maybe_unused]] ssize_t n = write(switchPipe[1], &byte, 1);
    errno = savedErrno;
}

extern "C" void onFatalSignal(int sig)
{
    FbConsole::restore();
    std::signal(sig, SIG_DFL);
    raise(sig);
}

void restoreAtExit()
{
    FbConsole::restore();
}

// Once: every way out of the program gives the console back first.
void watchExits()
{
    static bool watching = false;
    if (watching)
        return;
    watching = true;
    std::atexit(restoreAtExit);
    setQuitSignalLastWords(FbConsole::restore);
    struct sigaction action = {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGHUP, SIGQUIT, SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGPIPE, SIGALRM,
             SIGXCPU, SIGXFSZ, SIGSYS})
        sigaction(sig, &action, nullptr);
}

bool openPipe(int ends[2])
{
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    return true;
}

// The terminal to take: standard input's when it is a VT, else the one showing.
int openTerminal(std::string& name, std::string& why)
{
    struct stat st;
    if (fstat(STDIN_FILENO, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) == kVtMajor
        && minor(st.st_rdev) >= 1 && minor(st.st_rdev) <= 63) {
        name = "/dev/tty" + std::to_string(minor(st.st_rdev));
        int fd = open(name.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
        if (fd >= 0)
            return fd;
    }
    int any = open("/dev/tty0", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (any < 0) {
        why = std::string("/dev/tty0: ") + std::strerror(errno);
        return -1;
    }
    vt_stat state {};
    int rc = ioctl(any, VT_GETSTATE, &state);
    close(any);
    if (rc != 0) {
        why = std::string("/dev/tty0: ") + std::strerror(errno);
        return -1;
    }
    name = "/dev/tty" + std::to_string(state.v_active);
    int fd = open(name.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        why = name + ": " + std::strerror(errno);
    return fd;
}

} // namespace

bool FbConsole::take(std::string& error, std::string& warning)
{
    watchExits();
    std::string name, why;
    int vt = openTerminal(name, why);
    if (vt < 0) {
        warning = "macsim: the console's text may show through: " + why;
        return true;
    }
    vt_mode switching {};
    if (ioctl(vt, VT_GETMODE, &switching) == 0 && switching.mode == VT_PROCESS) {
        close(vt);
        error = name + " is the screen of another program";
        return false;
    }
    vt_stat state {};
    if (ioctl(vt, VT_GETSTATE, &state) == 0 && name != "/dev/tty" + std::to_string(state.v_active)) {
        ioctl(vt, VT_ACTIVATE, std::atoi(name.c_str() + 8));
        ioctl(vt, VT_WAITACTIVE, std::atoi(name.c_str() + 8));
    }
    long keyboard = K_UNICODE;
    if (ioctl(vt, KDGKBMODE, &keyboard) == 0 && keyboard != K_OFF)
        taken.keyboardMode = int(keyboard);
    taken.switching = switching;
    taken.switchingSet = true;
    taken.vt = vt;

    if (!openPipe(switchPipe)) {
        error = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    struct sigaction action = {};
    action.sa_handler = onSwitchSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(kReleaseSignal, &action, nullptr);
    sigaction(kAcquireSignal, &action, nullptr);

    vt_mode ours {};
    ours.mode = VT_PROCESS;
    ours.relsig = kReleaseSignal;
    ours.acqsig = kAcquireSignal;
    ioctl(vt, VT_SETMODE, &ours);
    ioctl(vt, KDSETMODE, KD_GRAPHICS);
    ioctl(vt, KDSKBMODE, K_OFF);
    return true;
}

int FbConsole::switchDescriptor() const
{
    return taken.vt >= 0 ? switchPipe[0] : -1;
}

FbConsole::Switch FbConsole::takeSwitch()
{
    Switch last = Switch::None;
    char bytes[16];
    ssize_t n;
    while (switchPipe[0] >= 0 && (n = read(switchPipe[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            if (bytes[i] == 'r') {
                ioctl(taken.vt, VT_RELDISP, 1);
                taken.showing = 0;
                last = Switch::Released;
            } else {
                ioctl(taken.vt, VT_RELDISP, VT_ACKACQ);
                taken.showing = 1;
                last = Switch::Acquired;
            }
        }
    }
    return last;
}

bool FbConsole::showing() const
{
    return taken.showing != 0;
}

void FbConsole::activate(int terminal) const
{
    if (taken.vt >= 0)
        ioctl(taken.vt, VT_ACTIVATE, terminal);
}

void FbConsole::keepColourMap(int fb, const fb_cmap& current)
{
    watchExits();
    taken.colourMap = current;
    taken.colourMap.red = taken.red;
    taken.colourMap.green = taken.green;
    taken.colourMap.blue = taken.blue;
    taken.colourMap.transp = nullptr;
    for (__u32 i = 0; i < current.len && i < 256; ++i) {
        taken.red[i] = current.red[i];
        taken.green[i] = current.green[i];
        taken.blue[i] = current.blue[i];
    }
    taken.fb = fb;
}

void FbConsole::restore()
{
    if (taken.restored)
        return;
    taken.restored = 1;
    // While another terminal shows, the colours are its own.
    if (taken.fb >= 0 && taken.showing)
        ioctl(taken.fb, FBIOPUTCMAP, &taken.colourMap);
    if (taken.vt < 0)
        return;
    ioctl(taken.vt, KDSKBMODE, taken.keyboardMode);
    ioctl(taken.vt, KDSETMODE, KD_TEXT);
    if (taken.switchingSet)
        ioctl(taken.vt, VT_SETMODE, &taken.switching);
    // Whatever reached the terminal while it was ours is not for the shell.
    tcflush(taken.vt, TCIFLUSH);
}

} // namespace toolbox
