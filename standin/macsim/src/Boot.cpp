#include <macsim/Boot.h>
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
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace macsim {

namespace {

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

void runItem(const std::string& name, const fs::path& program, const std::string& machineDir,
    const std::function<void(const std::string&)>& report)
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
        report("startup item \"" + name + "\": cannot run " + path + ": " + std::strerror(err));
        return;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        report("startup item \"" + name + "\" exited with status " + std::to_string(WEXITSTATUS(status)));
    else if (WIFSIGNALED(status))
        report("startup item \"" + name + "\" was killed by signal " + std::to_string(WTERMSIG(status)) + " ("
            + strsignal(WTERMSIG(status)) + ")");
}

} // namespace

Error bootMachine(const std::string& machineDir, const std::function<void(const std::string&)>& report)
{
    if (Error e = updateState(machineDir, [](MachineState& state, std::string&) {
            powerOnReset(state);
            return Error {};
        }))
        return e;

    fs::path items = fs::path(machineDir) / "disk" / startupItemsPath;
    for (const std::string& name : startupItemNames(items)) {
        fs::path program = items / name / name;
        std::string problem = whyNotRunnable(program);
        if (!problem.empty()) {
            report("startup item \"" + name + "\": " + problem);
            continue;
        }
        runItem(name, program, machineDir, report);
    }
    return {};
}

} // namespace macsim
