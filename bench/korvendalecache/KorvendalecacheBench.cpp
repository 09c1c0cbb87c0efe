// Start-up cost of `korvendalecache -d` relative to the cheapest program a
// shell can run. Both are started the same way (posix_spawn, output to
// /dev/null, waitpid) and interleaved run by run, so that drift in the
// machine's load affects both alike. The figure is the median of the
// per-pair ratios; the medians of each program are printed too.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
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

// Runs the program with its output discarded; returns its exit status, or -1.
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

int usage()
{
    fprintf(stderr, "usage: korvendalecache_bench --bin DIR [--iterations N]\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string bin;
    int iterations = 2000;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--bin") == 0 && i + 1 < argc)
            bin = argv[++i];
        else if (strcmp(argv[i], "--iterations") == 0 && i + 1 < argc)
            iterations = atoi(argv[++i]);
        else
            return usage();
    }
    if (bin.empty() || iterations < 1)
        return usage();
    const std::string tool = bin + "/korvendalecache";
    const std::string macsim = bin + "/macsim";

    // A fresh machine of the default preset with the extension loaded, so
    // that the tool does a full run: six node reads and the whole display.
    char pattern[] = "/tmp/korv-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        perror("mkdtemp");
        return 1;
    }
    const std::string machine = std::string(pattern) + "/mac";
    setenv("MACSIM_MACHINE", machine.c_str(), 1);
    if (runQuietly({macsim, "create"}) != 0 || runQuietly({macsim, "kext", "load"}) != 0
        || runQuietly({tool, "-d"}) != 0) {
        fprintf(stderr, "korvendalecache_bench: cannot set up a simulated machine with %s\n", macsim.c_str());
        runQuietly({"/bin/rm", "-rf", pattern});
        return 1;
    }

    const std::vector<std::string> trueRun {"/bin/true"};
    const std::vector<std::string> toolRun {tool, "-d"};
    for (int i = 0; i < 50; ++i) { // warm the page cache and the state file
        timeRun(trueRun);
        timeRun(toolRun);
    }
    std::vector<double> trueTimes, toolTimes, ratios;
    for (int i = 0; i < iterations; ++i) {
        double t = timeRun(trueRun);
        double k = timeRun(toolRun);
        trueTimes.push_back(t);
        toolTimes.push_back(k);
        ratios.push_back(k / t);
    }
    runQuietly({"/bin/rm", "-rf", pattern});

    double ratio = median(ratios);
    printf("iterations            %d\n", iterations);
    printf("/bin/true             %.1f us (median)\n", median(trueTimes) * 1e6);
    printf("korvendalecache -d    %.1f us (median)\n", median(toolTimes) * 1e6);
    printf("median ratio          %.3f (goal: at most 1.3)\n", ratio);
    return 0;
}
