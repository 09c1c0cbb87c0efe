// The window host end to end: the probe runs in a real SDL window on an Xvfb
// server, and clicks made through the X server with xdotool reach it at the
// right screen coordinates (the probe's window content starts at 100,100).
#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int stdoutFd)
{
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// An X server of our own on a free display number, for the life of a test.
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
                {"PATH=/usr/bin:/bin"}, -1);
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

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

template<typename Condition> bool waitFor(Condition condition, std::chrono::milliseconds limit = 10000ms)
{
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

class WindowBackend : public testing::Test {
protected:
    void SetUp() override
    {
        server_ = std::make_unique<Xvfb>();
        ASSERT_FALSE(server_->display().empty()) << "Xvfb did not start";
        dir_ = std::filesystem::path(testing::TempDir())
            / ("window-" + std::to_string(getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }

    void TearDown() override
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    // Starts the probe in a window and waits until it has shown its first frame.
    void start(const std::string& scale)
    {
        int out = open((dir_ / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(out, 0);
        std::string program = (testkit::binDirectory() / "framework-probe").string();
        pid_ = spawn({program},
            {"DISPLAY=" + server_->display(), "MACSIM_READY=" + (dir_ / "ready").string(),
                "MACSIM_SCALE=" + scale, "MACSIM_TITLE=" + title(), "HOME=" + dir_.string()},
            out);
        close(out);
        ASSERT_GT(pid_, 0);
        ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(dir_ / "ready"); })) << output();
        auto found = xdotool({"search", "--name", title()});
        window_ = found.out.substr(0, found.out.find('\n'));
        ASSERT_FALSE(window_.empty()) << found.err;
    }

    testkit::ProcessResult xdotool(std::vector<std::string> args)
    {
        return testkit::run("/usr/bin/xdotool", args, {{"DISPLAY", server_->display()}});
    }

    void clickAt(int x, int y)
    {
        auto r
            = xdotool({"mousemove", "--window", window_, std::to_string(x), std::to_string(y), "click", "1"});
        ASSERT_EQ(r.status, 0) << r.err;
    }

    std::string output() { return slurp(dir_ / "out.txt"); }
    std::string title() { return "korvendale-test-" + std::to_string(getpid()); }

    int waitExit()
    {
        int status = -1;
        bool exited = waitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; });
        if (!exited)
            return -1;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::unique_ptr<Xvfb> server_;
    std::filesystem::path dir_;
    pid_t pid_ = -1;
    std::string window_;
};

TEST_F(WindowBackend, RealClickArrivesAtItsScreenPointAndTheCloseBoxQuits)
{
    start("1");
    clickAt(200, 150);
    EXPECT_TRUE(waitFor([&] { return output().find("window click 100,50\n") != std::string::npos; }))
        << output();
    clickAt(113, 89);
    EXPECT_EQ(waitExit(), 0);
    EXPECT_EQ(output(),
        "option up\nwindow draw\naevt oapp\nwindow click 100,50\nwindow close\nrun returned\ndone\n");
}

TEST_F(WindowBackend, DoubleScaleDividesTheClickBack)
{
    start("2");
    clickAt(401, 301);
    EXPECT_TRUE(waitFor([&] { return output().find("window click 100,50\n") != std::string::npos; }))
        << output();
    auto typed = xdotool({"key", "--window", window_, "ctrl+q"});
    EXPECT_EQ(waitExit(), 0);
    EXPECT_EQ(output(),
        "option up\nwindow draw\naevt oapp\nwindow click 100,50\nfile menu item 3\nquit requested\nrun "
        "returned\ndone\n");
}

TEST_F(WindowBackend, TerminationSignalQuitsInOrder)
{
    start("1");
    kill(pid_, SIGTERM);
    EXPECT_EQ(waitExit(), 0);
    EXPECT_EQ(output(), "option up\nwindow draw\naevt oapp\naevt quit\nrun returned\ndone\n");
}

TEST_F(WindowBackend, AltHeldAsTheProgramStartsReadsAsOption)
{
    pid_t holder = spawn({"/usr/bin/xdotool", "keydown", "Alt_L", "sleep", "4", "keyup", "Alt_L"},
        {"DISPLAY=" + server_->display()}, -1);
    ASSERT_GT(holder, 0);
    std::this_thread::sleep_for(500ms);
    start("1");
    kill(pid_, SIGTERM);
    EXPECT_EQ(waitExit(), 0);
    EXPECT_EQ(output().substr(0, 12), "option held\n") << output();
    kill(holder, SIGTERM);
    waitpid(holder, nullptr, 0);
}

} // namespace
