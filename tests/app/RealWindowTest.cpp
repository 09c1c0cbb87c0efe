// Tarnwick X in a real window: the SDL backend on an Xvfb server, driven by
// real X input through xdotool, and ended by the desktop's quit request
// (SIGTERM). Skipped when Xvfb or xdotool is not installed.
#include "AppTestSupport.h"

#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace apptest {
namespace {

using namespace std::chrono_literals;

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
    posix_spawn_file_actions_t* actions = nullptr)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("MACSIM_DISPLAY=", 0) != 0 && entry.rfind("DISPLAY=", 0) != 0)
            env.push_back(entry);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0].c_str(), actions, nullptr, args.data(), envp.data()) != 0)
        return -1;
    return pid;
}

// The exit status, or -1 if the process did not end within `limit`.
int WaitFor(pid_t pid, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until)
            return -1;
        std::this_thread::sleep_for(20ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool WaitForFile(const fs::path& path, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// An Xvfb server on a free display, for the life of the object. Each
// attempt names a display number of its own: servers started at the same
// moment with -displayfd alone may claim the same one. A number in use makes
// Xvfb exit, and the next is tried.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        if (!fs::exists("/usr/bin/Xvfb"))
            return;
        for (int attempt = 0; attempt < 20 && name_.empty(); ++attempt) {
            const int number = 100 + int((unsigned(getpid()) * 13u + unsigned(attempt) * 149u) % 800u);
            if (fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
                continue;
            int fds[2];
            if (pipe(fds) != 0)
                return;
            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init(&actions);
            posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
            posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
            pid_ = Spawn({"/usr/bin/Xvfb", ":" + std::to_string(number), "-displayfd", "3", "-screen", "0",
                             "800x600x24", "-nolisten", "tcp"},
                {}, &actions);
            posix_spawn_file_actions_destroy(&actions);
            close(fds[1]);
            // The number and the newline come in two writes; the pipe stays
            // open until both came, or the second would fail and end the server.
            std::string reported;
            char c = 0;
            while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
                reported += c;
            close(fds[0]);
            if (reported == std::to_string(number)) {
                name_ = ":" + reported;
            } else if (pid_ > 0) {
                kill(pid_, SIGTERM);
                WaitFor(pid_, 5s);
                pid_ = -1;
            }
        }
    }
    ~VirtualDisplay()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            if (WaitFor(pid_, 5s) < 0) {
                kill(pid_, SIGKILL);
                WaitFor(pid_, 5s);
            }
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool running() const { return !name_.empty(); }
    const std::string& name() const { return name_; }

    // Real pointer input through the X server at a point of the program's
    // window (which shows the Macintosh screen at scale 1).
    void clickAt(const std::string& window, int x, int y) const
    {
        const auto moved = testkit::run("/usr/bin/xdotool",
            {"mousemove", "--sync", "--window", window, std::to_string(x), std::to_string(y)},
            {{"DISPLAY", name_}});
        ASSERT_EQ(moved.status, 0) << moved.err;
        const auto clicked = testkit::run("/usr/bin/xdotool", {"click", "1"}, {{"DISPLAY", name_}});
        ASSERT_EQ(clicked.status, 0) << clicked.err;
        std::this_thread::sleep_for(200ms); // the program takes the click in its own time
    }

private:
    pid_t pid_ = -1;
    std::string name_;
};

class RealWindow : public testing::Test {
protected:
    void SetUp() override
    {
        if (!display_.running() || !fs::exists("/usr/bin/xdotool"))
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        machine_.loadExtension();
        ready_ = machine_.directory() / "ready";
        pid_ = Spawn({(testkit::binDirectory() / "tarnwick-x").string()},
            {"DISPLAY=" + display_.name(), "MACSIM_SCALE=1", "MACSIM_TITLE=Tarnwick X under test",
                "MACSIM_READY=" + ready_.string()});
        ASSERT_GT(pid_, 0);
        ASSERT_TRUE(WaitForFile(ready_, 20s)) << "no first frame";
        const auto found = testkit::run("/usr/bin/xdotool",
            {"search", "--sync", "--name", "Tarnwick X under test"}, {{"DISPLAY", display_.name()}});
        ASSERT_EQ(found.status, 0) << display_.name() << ": " << found.err;
        window_ = found.out.substr(0, found.out.find('\n'));
    }
    void TearDown() override
    {
        if (pid_ > 0 && WaitFor(pid_, 0ms) < 0) {
            kill(pid_, SIGKILL);
            WaitFor(pid_, 5s);
        }
    }

    VirtualDisplay display_;
    testkit::ScopedMachine machine_;
    fs::path ready_;
    pid_t pid_ = -1;
    std::string window_;
};

TEST_F(RealWindow, SwitchTabsTurnTheCacheOffAndClose)
{
    display_.clickAt(window_, 280, 79); // the "Tarnwick" tab
    display_.clickAt(window_, 310, 187); // the backside cache's Off
    display_.clickAt(window_, 163, 49); // the close box
    const int status = WaitFor(pid_, 10s);
    pid_ = -1;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(machine_.get("l2cr"), 0u);
    EXPECT_EQ(readFile(prefsPath(machine_)).size(), 36u);
}

TEST_F(RealWindow, TheDesktopsQuitRequestSavesThePreferences)
{
    display_.clickAt(window_, 340, 79); // the "Other" tab
    display_.clickAt(window_, 162, 100); // close "Speculative Access"
    ASSERT_EQ(kill(pid_, SIGTERM), 0);
    const int status = WaitFor(pid_, 10s);
    pid_ = -1;
    EXPECT_EQ(status, 0);
    const auto prefs = readFile(prefsPath(machine_));
    ASSERT_EQ(prefs.size(), 36u);
    EXPECT_EQ(prefs[19], 0) << "speculativeAccessDinked";
}

} // namespace
} // namespace apptest
