// boot: a power-on reset, then every startup item, as Mac OS X starts them:
// <disk>/System/Library/StartupItems/NAME/NAME in name order, each as a child
// process given the argument "start". An item that is missing, not runnable
// or that fails is reported and the boot goes on.
#include "Cli.h"

#include <macsim/DiskLayout.h>
#include <macsim/Extension.h>
#include <macsim/MachineStore.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace macsim::cli {

namespace {

constexpr const char* bootHelp = R"(usage: macsim boot

Restarts the machine: HID0 and L2CR go back to the values the boot ROM
leaves (see "macsim show"), the kernel extension is unloaded, and then every
startup item <disk>/System/Library/StartupItems/NAME/NAME runs, in name
order, with MACSIM_MACHINE naming this machine. A startup item that fails is
reported on stderr; the boot goes on, as Mac OS X's does.
)";

std::vector<std::string> startupItemNames(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Why the item cannot run, or "" when it can.
std::string whyNotRunnable(const fs::path& program)
{
    struct stat info;
    if (lstat(program.c_str(), &info) != 0)
        return "there is no program " + program.string();
    if (S_ISLNK(info.st_mode) && stat(program.c_str(), &info) != 0) {
        std::error_code ec;
        return program.string() + " is a dangling link to " + fs::read_symlink(program, ec).string();
    }
    if (!S_ISREG(info.st_mode) || access(program.c_str(), X_OK) != 0)
        return program.string() + " is not an executable program";
    return {};
}

std::vector<std::string> childEnvironment(const std::string& machineDir)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "MACSIM_MACHINE=", 15) != 0)
            env.push_back(*e);
    }
    env.push_back("MACSIM_MACHINE=" + machineDir);
    return env;
}

void runItem(const std::string& name, const fs::path& program, const std::string& machineDir)
{
    std::string path = program.string();
    std::string start = "start";
    char* argv[] = {path.data(), start.data(), nullptr};
    std::vector<std::string> env = childEnvironment(machineDir);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    std::fflush(stdout);
    pid_t pid;
    if (int err = posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data())) {
        complain("startup item \"" + name + "\": cannot run " + path + ": " + std::strerror(err));
        return;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        complain("startup item \"" + name + "\" exited with status " + std::to_string(WEXITSTATUS(status)));
    else if (WIFSIGNALED(status))
        complain("startup item \"" + name + "\" was killed by signal " + std::to_string(WTERMSIG(status))
            + " (" + strsignal(WTERMSIG(status)) + ")");
}

} // namespace

int verbBoot(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(bootHelp);
    if (!args.empty())
        return complain("boot takes no arguments");

    std::error_code ec;
    std::string machineDir = fs::absolute(currentMachine(), ec).lexically_normal().string();
    if (Error e = updateState(machineDir, [](MachineState& state, std::string&) {
            powerOnReset(state);
            return Error {};
        }))
        return complain(e);

    fs::path items = fs::path(machineDir) / "disk" / startupItemsPath;
    for (const std::string& name : startupItemNames(items)) {
        fs::path program = items / name / name;
        std::string problem = whyNotRunnable(program);
        if (!problem.empty()) {
            complain("startup item \"" + name + "\": " + problem);
            continue;
        }
        runItem(name, program, machineDir);
    }
    return 0;
}

} // namespace macsim::cli
