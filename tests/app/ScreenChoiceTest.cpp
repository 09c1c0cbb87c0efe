// What a user at a console sees before any screen shows: the usage that
// --help and a wrong argument give, the screen the program would choose, and
// the one line and status 1 when there is no screen to show. No test opens a
// real framebuffer: the device is named (MACSIM_FBDEV) where one is reached for.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

namespace apptest {
namespace {

const std::string kHint = " (MACSIM_DISPLAY=headless runs without one)\n";

struct ChoiceCase {
    const char* name;
    std::vector<std::string> args;
    testkit::Environment env;
    int status;
    std::string err; // for a usage: the line before it
    std::string screen; // for a usage: its "Screen now:" line
};

void PrintTo(const ChoiceCase& c, std::ostream* os)
{
    *os << c.name;
}

class ScreenChoice : public testing::TestWithParam<ChoiceCase> { };

TEST_P(ScreenChoice, ExitStatusAndMessages)
{
    const ChoiceCase& c = GetParam();
    testkit::ScopedMachine machine;
    testkit::Environment env = c.env;
    env.emplace("DISPLAY", "\x01unset");
    env.emplace("WAYLAND_DISPLAY", "\x01unset");
    env.emplace("MACSIM_DISPLAY", "\x01unset");
    env.emplace("MACSIM_FBDEV", "/nonexistent/fb0");
    const testkit::ProcessResult run = testkit::run("tarnwick-x", c.args, env);
    EXPECT_EQ(run.status, c.status);
    if (c.screen.empty()) {
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err);
        return;
    }
    // The usage: on standard output when asked for, else after the complaint.
    const std::string usage
        = c.status == 0 ? run.out : run.err.substr(std::min(c.err.size(), run.err.size()));
    EXPECT_EQ(c.status == 0 ? run.err : run.err.substr(0, c.err.size()), c.err);
    EXPECT_EQ(c.status == 0 ? "" : run.out, "");
    EXPECT_EQ(usage.rfind("Usage: tarnwick-x\n", 0), 0u) << usage;
    EXPECT_NE(usage.find("\nScreen now: " + c.screen + "\n"), std::string::npos) << usage;
    EXPECT_NE(usage.find("\n  MACSIM_DISPLAY "), std::string::npos) << usage;
    EXPECT_EQ(usage.substr(usage.size() - 27), "The manual: man tarnwick-x\n");
}

INSTANTIATE_TEST_SUITE_P(AtTheConsole, ScreenChoice,
    testing::Values(ChoiceCase {"HelpNamesTheMissingScreens", {"--help"}, {}, 0, "",
                        "none: no display server, and /nonexistent/fb0: No such file or directory"},
        ChoiceCase {"HelpNamesTheDisplayServer", {"-h"}, {{"DISPLAY", ":7"}}, 0, "",
            "a window on the display server DISPLAY=:7, else the framebuffer /nonexistent/fb0"},
        ChoiceCase {"HelpNamesTheFramebuffer", {"--help"}, {{"MACSIM_FBDEV", "/dev/null"}}, 0, "",
            "the framebuffer /dev/null (no display server)"},
        ChoiceCase {"HelpHeadless", {"--help"}, {{"MACSIM_DISPLAY", "headless"}}, 0, "",
            "none, headless (MACSIM_DISPLAY=headless)"},
        ChoiceCase {"UnknownOptionGetsTheUsageAndStatus2", {"--frobnicate"}, {}, 2,
            "tarnwick-x: unknown argument \"--frobnicate\"\n",
            "none: no display server, and /nonexistent/fb0: No such file or directory"},
        ChoiceCase {"AnyArgumentIsRefused", {"--help", "extra"}, {}, 2,
            "tarnwick-x: unknown argument \"extra\"\n",
            "none: no display server, and /nonexistent/fb0: No such file or directory"},
        ChoiceCase {"NoScreenIsOneLineAndStatus1", {}, {}, 1,
            "macsim: no screen to show: no display server (DISPLAY and WAYLAND_DISPLAY are unset), and "
            "/nonexistent/fb0: No such file or directory"
                + kHint,
            ""},
        ChoiceCase {"ADeviceThatIsNoFramebufferIsRefused", {},
            {{"MACSIM_DISPLAY", "framebuffer"}, {"MACSIM_FBDEV", "/dev/null"}}, 1,
            "macsim: cannot show the screen on the framebuffer: /dev/null is not a framebuffer" + kHint, ""},
        ChoiceCase {"HeadlessNeedsNoScreen", {},
            {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", "\x01unset"}}, 0, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace apptest
