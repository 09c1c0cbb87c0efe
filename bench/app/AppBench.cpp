// Figures for Tarnwick X, measured from outside as a user runs it, on a
// fresh simulated Macintosh with the extension loaded:
// - launch to first complete frame: from spawning the program until it
//   creates its MACSIM_READY file (right after the first frame, with the
//   whole window drawn, is presented), watched with inotify; median of runs;
// - idle processor time: the program waiting in its event loop in a window
//   on Xvfb for 10 seconds, summed over its threads from schedstat;
// - peak memory: the maximum resident set size the kernel reports at exit;
// - full window redraw: a headless run that switches tabs 2N times (each
//   switch resizes the window and draws the whole tab) less a run that
//   switches none, divided by 2N.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

double now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The environment of this process without the variables that choose the
// display, plus `extra`.
std::vector<std::string> environment(const std::vector<std::string>& extra)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("MACSIM_DISPLAY=", 0) != 0
            && entry.rfind("WAYLAND_DISPLAY=", 0) != 0)
            env.push_back(entry);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv, envp;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for the child; its exit status and peak memory in kilobytes.
int reap(pid_t pid, long* peakKB = nullptr)
{
    int status = 0;
    rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) { }
    if (peakKB)
        *peakKB = std::max(*peakKB, usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool waitForFile(int inotifyFd, const std::string& name, double seconds)
{
    const double end = now() + seconds;
    alignas(inotify_event) char buffer[4096];
    while (now() < end) {
        pollfd p {inotifyFd, POLLIN, 0};
        if (poll(&p, 1, int((end - now()) * 1000) + 1) <= 0)
            continue;
        const ssize_t n = read(inotifyFd, buffer, sizeof buffer);
        for (ssize_t i = 0; i < n;) {
            auto* event = reinterpret_cast<inotify_event*>(buffer + i);
            if (event->len && name == event->name)
                return true;
            i += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    return false;
}

struct Launch {
    double firstFrameSeconds = -1;
    pid_t pid = -1;
};

Launch launchUntilReady(
    const std::string& program, const std::vector<std::string>& env, const std::string& dir)
{
    const std::string ready = dir + "/ready";
    unlink(ready.c_str());
    const int fd = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(fd, dir.c_str(), IN_CREATE);
    std::vector<std::string> withReady = env;
    withReady.push_back("MACSIM_READY=" + ready);
    Launch launch;
    const double start = now();
    launch.pid = spawn({program}, withReady);
    if (launch.pid > 0 && waitForFile(fd, "ready", 20))
        launch.firstFrameSeconds = now() - start;
    close(fd);
    return launch;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double cpuSeconds(pid_t pid)
{
    const std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    if (DIR* d = opendir(taskDir.c_str())) {
        while (dirent* entry = readdir(d)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream stat(taskDir + "/" + entry->d_name + "/schedstat");
            unsigned long long runNs = 0;
            if (stat >> runNs)
                total += double(runNs) * 1e-9;
        }
        closedir(d);
    }
    return total;
}

// An Xvfb server on a display number of our own choosing (servers started
// at the same moment with -displayfd alone may claim the same number).
class Xvfb {
public:
    Xvfb()
    {
        for (int attempt = 0; attempt < 20 && display_.empty(); ++attempt) {
            const int number = 100 + int((unsigned(getpid()) * 11u + unsigned(attempt) * 137u) % 800u);
            if (access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0)
                continue;
            int fds[2];
            if (pipe(fds) != 0)
                return;
            pid_ = spawn({"/usr/bin/Xvfb", ":" + std::to_string(number), "-displayfd", std::to_string(fds[1]),
                             "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                {"PATH=/usr/bin:/bin"});
            close(fds[1]);
            std::string reported;
            char c;
            while (read(fds[0], &c, 1) == 1 && c != '\n')
                reported += c;
            close(fds[0]);
            if (reported == std::to_string(number)) {
                display_ = ":" + reported;
            } else if (pid_ > 0) {
                kill(pid_, SIGTERM);
                waitpid(pid_, nullptr, 0);
                pid_ = -1;
            }
        }
    }
    ~Xvfb()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Wall time of one headless run of `script`.
double timedScriptRun(const std::string& program, const std::string& dir, const std::string& script)
{
    const std::string path = dir + "/script.txt";
    std::ofstream(path) << script;
    const double start = now();
    const pid_t pid = spawn({program}, environment({"MACSIM_DISPLAY=headless", "MACSIM_SCRIPT=" + path}));
    if (pid <= 0 || reap(pid) != 0)
        return -1;
    return now() - start;
}

} // namespace

int main(int argc, char** argv)
{
    std::string bin = ".";
    int runs = 11;
    int switches = 100;
    double idleSeconds = 10;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--bin") && i + 1 < argc)
            bin = argv[++i];
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--idle-seconds") && i + 1 < argc)
            idleSeconds = std::max(1.0, std::atof(argv[++i]));
    }
    const std::string program = bin + "/tarnwick-x";
    char dirTemplate[] = "/tmp/app-bench-XXXXXX";
    const std::string dir = mkdtemp(dirTemplate);
    const std::string machine = dir + "/mac";
    setenv("MACSIM_MACHINE", machine.c_str(), 1);
    if (reap(spawn({bin + "/macsim", "create"}, environment({}))) != 0
        || reap(spawn({bin + "/macsim", "kext", "load"}, environment({}))) != 0) {
        std::fprintf(stderr, "app_bench: cannot make a simulated machine in %s\n", machine.c_str());
        return 1;
    }

    std::vector<double> headless;
    long headlessPeak = 0;
    for (int i = 0; i < runs; ++i) {
        const Launch l = launchUntilReady(program, environment({"MACSIM_DISPLAY=headless"}), dir);
        if (l.pid > 0)
            reap(l.pid, &headlessPeak);
        if (l.firstFrameSeconds >= 0)
            headless.push_back(l.firstFrameSeconds);
    }
    std::printf("launch to first frame, headless:       median %7.2f ms (%zu runs)\n", median(headless) * 1e3,
        headless.size());

    std::string switching;
    for (int i = 0; i < switches; ++i)
        switching += "click-title Tarnwick\nclick-title System Profile\n";
    std::vector<double> redraws;
    for (int i = 0; i < 3; ++i) {
        const double base = timedScriptRun(program, dir, "");
        const double busy = timedScriptRun(program, dir, switching);
        if (base > 0 && busy > 0)
            redraws.push_back((busy - base) / (2 * switches));
    }
    std::printf("full window redraw (tab switch):      median %7.3f ms (%d switches, 3 runs)\n",
        median(redraws) * 1e3, 2 * switches);

    Xvfb server;
    if (server.display().empty()) {
        std::printf("Xvfb is not available: no window figures\n");
        std::printf("peak memory (max RSS), headless:      %7.1f MB\n", double(headlessPeak) / 1024);
        return 0;
    }
    const auto windowEnv = environment({"DISPLAY=" + server.display(), "MACSIM_SCALE=1", "HOME=" + dir});
    std::vector<double> window;
    long windowPeak = 0;
    for (int i = 0; i < runs; ++i) {
        const Launch l = launchUntilReady(program, windowEnv, dir);
        if (l.pid <= 0)
            continue;
        if (l.firstFrameSeconds >= 0)
            window.push_back(l.firstFrameSeconds);
        kill(l.pid, SIGTERM);
        reap(l.pid, &windowPeak);
    }
    std::printf("launch to first frame, window (Xvfb):  median %7.2f ms (%zu runs)\n", median(window) * 1e3,
        window.size());

    const Launch idle = launchUntilReady(program, windowEnv, dir);
    if (idle.pid > 0 && idle.firstFrameSeconds >= 0) {
        usleep(500000);
        const double before = cpuSeconds(idle.pid), start = now();
        usleep(useconds_t(idleSeconds * 1e6));
        const double used = cpuSeconds(idle.pid) - before, elapsed = now() - start;
        std::printf("idle with the window open (Xvfb):     %.3f ms processor time in %.1f s = %.4f %%\n",
            used * 1e3, elapsed, 100 * used / elapsed);
        kill(idle.pid, SIGTERM);
        reap(idle.pid, &windowPeak);
    }
    std::printf("peak memory (max RSS), headless:      %7.1f MB\n", double(headlessPeak) / 1024);
    std::printf("peak memory (max RSS), window (Xvfb): %7.1f MB\n", double(windowPeak) / 1024);

    const std::string cleanup[] = {dir + "/ready", dir + "/script.txt"};
    for (const auto& f : cleanup)
        unlink(f.c_str());
    reap(spawn({"/bin/rm", "-rf", dir}, environment({})));
    return 0;
}
