#include "testkit/Process.h"

#include "testkit/Files.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testkit {

namespace fs = std::filesystem;

fs::path binDirectory()
{
    return KORV_BIN_DIR;
}

namespace {

std::vector<std::string> buildEnvironment(const Environment& overrides)
{
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        auto eq = entry.find('=');
        if (eq != std::string::npos)
            merged[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    // No program under test takes over the console of the machine running
    // the tests; a test that wants a framebuffer names one.
    merged["MACSIM_FBDEV"] = "/nonexistent/fb0";
    for (const auto& [key, value] : overrides) {
        if (value == "\x01unset")
            merged.erase(key);
        else
            merged[key] = value;
    }
    std::vector<std::string> result;
    for (const auto& [key, value] : merged)
        result.push_back(key + "=" + value);
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (auto& s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

std::string programPath(const std::string& program)
{
    return program.find('/') == std::string::npos ? (binDirectory() / program).string() : program;
}

pid_t spawn(const std::string& path, const std::vector<std::string>& args, const Environment& env,
    const posix_spawn_file_actions_t* actions)
{
    std::vector<std::string> argStrings {path};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    auto envStrings = buildEnvironment(env);
    auto argv = pointers(argStrings);
    auto envp = pointers(envStrings);
    pid_t pid = -1;
    if (int rc = posix_spawn(&pid, path.c_str(), actions, nullptr, argv.data(), envp.data()))
        throw std::runtime_error("cannot start " + path + ": " + std::strerror(rc));
    return pid;
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

ProcessResult run(const std::string& program, const std::vector<std::string>& args, const Environment& env,
    const std::string& input)
{
    int outPipe[2], errPipe[2], inPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) || pipe2(errPipe, O_CLOEXEC) || pipe2(inPipe, O_CLOEXEC))
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inPipe[0], 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    pid_t pid = -1;
    try {
        pid = spawn(programPath(program), args, env, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
            close(fd);
        throw;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(inPipe[0]);
    close(outPipe[1]);
    close(errPipe[1]);

    for (size_t written = 0; written < input.size();) {
        ssize_t n = write(inPipe[1], input.data() + written, input.size() - written);
        if (n <= 0)
            break;
        written += size_t(n);
    }
    close(inPipe[1]);

    ProcessResult result;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    char buffer[65536];
    for (int open = 2; open > 0;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? result.out : result.err).append(buffer, size_t(n));
            }
        }
    }
    result.status = waitFor(pid);
    return result;
}

ProcessResult runAsNobody(
    const std::string& program, const std::vector<std::string>& args, const Environment& env)
{
    static TempDir copy;
    const fs::path bin = copy.path() / "bin";
    const fs::path share = binDirectory().parent_path() / "share";
    if (!fs::exists(bin)) {
        fs::create_directories(bin);
        if (fs::exists(share))
            fs::copy(share, copy.path() / "share", fs::copy_options::recursive);
    }
    const fs::path target = bin / fs::path(programPath(program)).filename();
    fs::copy_file(programPath(program), target, fs::copy_options::overwrite_existing);
    for (const auto& entry : fs::recursive_directory_iterator(copy.path()))
        fs::permissions(entry.path(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(copy.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);

    std::vector<std::string> words {
        "--reuid=65534", "--regid=65534", "--clear-groups", "--", target.string()};
    words.insert(words.end(), args.begin(), args.end());
    return run("/usr/bin/setpriv", words, env);
}

std::vector<std::string> ScriptedRun::dialogs() const
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = err.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = err.substr(start, end - start);
        if (line.rfind("alert ", 0) == 0 || line.rfind("dialog ", 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

ScriptedRun runScripted(const std::string& program, const std::string& script, Environment env, bool asNobody,
    const std::vector<std::string>& args)
{
    static TempDir runs;
    static int count = 0;
    ScriptedRun run;
    run.dir = runs.path() / std::to_string(++count);
    fs::create_directories(run.dir);
    fs::permissions(runs.path(), fs::perms::all); // nobody writes snapshots too
    fs::permissions(run.dir, fs::perms::all);
    std::string text = script;
    for (size_t at = text.find("@DIR@"); at != std::string::npos; at = text.find("@DIR@", at))
        text.replace(at, 5, run.dir.string());
    writeText(run.dir / "script.txt", text);
    env.emplace("MACSIM_DISPLAY", "headless");
    env.emplace("MACSIM_SCRIPT", (run.dir / "script.txt").string());
    env.emplace("MACSIM_LOG_DIALOGS", "1");
    static_cast<ProcessResult&>(run)
        = asNobody ? runAsNobody(program, args, env) : testkit::run(program, args, env);
    return run;
}

std::string lintianComplaints(const fs::path& deb)
{
    const ProcessResult r = run("/usr/bin/lintian", {"--tag-display-limit", "0", deb.string()});
    std::istringstream lines(r.out);
    std::string line, complaints;
    while (std::getline(lines, line)) {
        if (line.rfind("E: ", 0) == 0 || line.rfind("W: ", 0) == 0)
            complaints += line + "\n";
    }
    return complaints;
}

int runUnprivileged(int (*body)(void*), void* context)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(125);
        _exit(body(context));
    }
    return waitFor(pid);
}

Child::Child(const std::string& program, const std::vector<std::string>& args, const Environment& env)
    : pid_(spawn(programPath(program), args, env, nullptr))
{
}

Child::~Child()
{
    if (status_ < 0)
        kill();
}

int Child::wait()
{
    if (status_ < 0)
        status_ = waitFor(pid_);
    return status_;
}

int Child::kill()
{
    if (status_ < 0)
        ::kill(pid_, SIGKILL);
    return wait();
}

} // namespace testkit
