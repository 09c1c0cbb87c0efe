// Start-up cost of Korvendale Startup relative to /bin/true, the item started
// the way `macsim boot` starts it (MACSIM_MACHINE set, the item's path on the
// simulated disk) on a machine whose extension is loaded. The loader is left
// out: the disk's sbin/kextload is /bin/true for the timed runs, so the
// figure is the item's own work, not the extension's L2 test. Runs of the two
// are interleaved; the figure is the median of the per-pair ratios. A whole
// `macsim boot` (real loader) is timed too, for scale.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

double now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

int runQuietly(const std::vector<std::string>& args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double timeRun(const std::vector<std::string>& args)
{
    double start = now();
    runQuietly(args);
    return now() - start;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string bin;
    int iterations = 500;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--bin") == 0)
            bin = argv[i + 1];
        else if (std::strcmp(argv[i], "--iterations") == 0)
            iterations = std::atoi(argv[i + 1]);
    }
    if (bin.empty() || iterations < 1) {
        std::fprintf(stderr, "usage: startup_bench --bin DIR [--iterations N]\n");
        return 1;
    }
    const std::string macsim = bin + "/macsim";

    char pattern[] = "/tmp/korv-bench-startup-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path machine = fs::path(pattern) / "mac";
    setenv("MACSIM_MACHINE", machine.c_str(), 1);
    const fs::path item = machine / "disk/System/Library/StartupItems/Korvendale Startup/Korvendale Startup";
    if (runQuietly({macsim, "create"}) != 0 || runQuietly({macsim, "boot"}) != 0 || !fs::exists(item)) {
        std::fprintf(stderr, "startup_bench: cannot boot a simulated machine with %s\n", macsim.c_str());
        fs::remove_all(pattern);
        return 1;
    }

    std::vector<double> boots;
    for (int i = 0; i < 50; ++i)
        boots.push_back(timeRun({macsim, "boot"}));

    // From here on the extension stays loaded and the loader does nothing.
    const fs::path loader = machine / "disk/sbin/kextload";
    fs::remove(loader);
    fs::create_symlink("/bin/true", loader);
    const std::vector<std::string> trueRun {"/bin/true"};
    const std::vector<std::string> itemRun {item.string()};
    if (runQuietly({macsim, "kext", "load"}) != 0 || runQuietly(itemRun) != 0) {
        std::fprintf(stderr, "startup_bench: Korvendale Startup does not run\n");
        fs::remove_all(pattern);
        return 1;
    }
    for (int i = 0; i < 30; ++i) {
        timeRun(trueRun);
        timeRun(itemRun);
    }
    std::vector<double> trueTimes, itemTimes, ratios;
    for (int i = 0; i < iterations; ++i) {
        double t = timeRun(trueRun);
        double s = timeRun(itemRun);
        trueTimes.push_back(t);
        itemTimes.push_back(s);
        ratios.push_back(s / t);
    }
    fs::remove_all(pattern);

    std::printf("iterations               %d\n", iterations);
    std::printf("/bin/true                %.1f us (median)\n", median(trueTimes) * 1e6);
    std::printf("Korvendale Startup       %.1f us (median, loader excluded)\n", median(itemTimes) * 1e6);
    std::printf("median ratio             %.3f\n", median(ratios));
    std::printf(
        "macsim boot, whole       %.1f us (median of %zu, real loader)\n", median(boots) * 1e6, boots.size());
    return 0;
}
