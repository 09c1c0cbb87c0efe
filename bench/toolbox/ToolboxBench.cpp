// Figures for a program on the toolbox layer, measured on the framework
// probe (or the program named with --program) as a user would run it:
// - start to first frame: from spawning the program until it creates its
//   MACSIM_READY file (right after its first frame is presented), watched
//   with inotify so no polling interval blurs the time; median of the runs;
// - idle processor time: the probe waiting in its event loop in a window on
//   Xvfb for 10 seconds, summed over all its threads from schedstat;
// - peak memory: the maximum resident set size the kernel reports at exit.
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

namespace {

double now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
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

// Waits for the child; its peak memory in kilobytes.
long reap(pid_t pid)
{
    int status = 0;
    rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) { }
    return usage.ru_maxrss;
}

// Waits up to `seconds` for `name` to be created in the watched directory.
bool waitForFile(int inotifyFd, const std::string& name, double seconds)
{
    double end = now() + seconds;
    alignas(inotify_event) char buffer[4096];
    while (now() < end) {
        pollfd p {inotifyFd, POLLIN, 0};
        if (poll(&p, 1, int((end - now()) * 1000) + 1) <= 0)
            continue;
        ssize_t n = read(inotifyFd, buffer, sizeof buffer);
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

Launch launchUntilReady(const std::string& program, std::vector<std::string> env, const std::string& dir)
{
    std::string ready = dir + "/ready";
    unlink(ready.c_str());
    int fd = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(fd, dir.c_str(), IN_CREATE);
    env.push_back("MACSIM_READY=" + ready);
    Launch launch;
    double start = now();
    launch.pid = spawn({program}, env);
    if (launch.pid > 0 && waitForFile(fd, "ready", 10))
        launch.firstFrameSeconds = now() - start;
    close(fd);
    return launch;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Processor time of all the process's threads so far, in seconds.
double cpuSeconds(pid_t pid)
{
    std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
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

class Xvfb {
public:
    // Each attempt takes a display number of its own choosing: with
    // -displayfd alone, servers started at the same moment can both claim
    // the same number. A number in use makes Xvfb exit, and the next is tried.
    Xvfb()
    {
        for (int attempt = 0; attempt < 20 && display_.empty(); ++attempt) {
            int number = 100 + int((unsigned(getpid()) * 7u + unsigned(attempt) * 131u) % 800u);
            std::string display = ":" + std::to_string(number);
            if (access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0)
                continue;
            int fds[2];
            if (pipe(fds) != 0)
                return;
            pid_ = spawn({"/usr/bin/Xvfb", display, "-displayfd", std::to_string(fds[1]), "-screen", "0",
                             "1024x768x24", "-nolisten", "tcp"},
                {"PATH=/usr/bin:/bin"});
            close(fds[1]);
            std::string reported;
            char c;
            while (read(fds[0], &c, 1) == 1 && c != '\n')
                reported += c;
            close(fds[0]);
            if (reported == std::to_string(number)) {
                display_ = display;
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
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace

int main(int argc, char** argv)
{
    std::string bin = ".";
    std::string programName = "framework-probe";
    int runs = 15;
    double idleSeconds = 10;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--bin") && i + 1 < argc)
            bin = argv[++i];
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--idle-seconds") && i + 1 < argc)
            idleSeconds = std::max(1.0, std::atof(argv[++i]));
        else if (!std::strcmp(argv[i], "--program") && i + 1 < argc)
            programName = argv[++i];
    }
    std::string program = bin + "/" + programName;
    // A program that needs a particular simulated machine gets the caller's.
    std::vector<std::string> machineEnv;
    if (const char* machine = std::getenv("MACSIM_MACHINE"))
        machineEnv.push_back(std::string("MACSIM_MACHINE=") + machine);
    char dirTemplate[] = "/tmp/toolbox-bench-XXXXXX";
    std::string dir = mkdtemp(dirTemplate);

    // Headless: the probe starts, shows its first frame, gets 'quit' and ends.
    std::vector<double> headless;
    long headlessPeak = 0;
    for (int i = 0; i < runs; ++i) {
        std::vector<std::string> headlessEnv {"MACSIM_DISPLAY=headless"};
        headlessEnv.insert(headlessEnv.end(), machineEnv.begin(), machineEnv.end());
        Launch l = launchUntilReady(program, headlessEnv, dir);
        if (l.pid > 0)
            headlessPeak = std::max(headlessPeak, reap(l.pid));
        if (l.firstFrameSeconds >= 0)
            headless.push_back(l.firstFrameSeconds);
    }
    std::printf("start to first frame, headless:       median %7.2f ms (%zu runs)\n", median(headless) * 1e3,
        headless.size());

    Xvfb server;
    if (server.display().empty()) {
        std::printf("Xvfb is not available: no window figures\n");
        std::printf("peak memory (max RSS), headless:      %7.1f MB\n", double(headlessPeak) / 1024);
        return 0;
    }
    std::vector<std::string> windowEnv {"DISPLAY=" + server.display(), "MACSIM_SCALE=1", "HOME=" + dir};
    windowEnv.insert(windowEnv.end(), machineEnv.begin(), machineEnv.end());
    std::vector<double> window;
    long windowPeak = 0;
    for (int i = 0; i < runs; ++i) {
        Launch l = launchUntilReady(program, windowEnv, dir);
        if (l.pid <= 0)
            continue;
        if (l.firstFrameSeconds >= 0)
            window.push_back(l.firstFrameSeconds);
        kill(l.pid, SIGTERM);
        windowPeak = std::max(windowPeak, reap(l.pid));
    }
    std::printf("start to first frame, window (Xvfb):  median %7.2f ms (%zu runs)\n", median(window) * 1e3,
        window.size());

    Launch idle = launchUntilReady(program, windowEnv, dir);
    if (idle.pid > 0 && idle.firstFrameSeconds >= 0) {
        usleep(500000);
        double before = cpuSeconds(idle.pid), start = now();
        usleep(useconds_t(idleSeconds * 1e6));
        double used = cpuSeconds(idle.pid) - before, elapsed = now() - start;
        std::printf("idle in the event loop, window (Xvfb): %.3f ms processor time in %.1f s = %.4f %%\n",
            used * 1e3, elapsed, 100 * used / elapsed);
        kill(idle.pid, SIGTERM);
        windowPeak = std::max(windowPeak, reap(idle.pid));
    }
    std::printf("peak memory (max RSS), headless:      %7.1f MB\n", double(headlessPeak) / 1024);
    std::printf("peak memory (max RSS), window (Xvfb): %7.1f MB\n", double(windowPeak) / 1024);
    rmdir((dir).c_str());
    unlink((dir + "/ready").c_str());
    rmdir(dir.c_str());
    return 0;
}
