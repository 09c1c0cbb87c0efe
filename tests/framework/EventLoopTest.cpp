// The framework's event loop seen from outside: the probe program reports
// every hook it receives while an event script plays in the headless host.
// Each case names the program's options, the script, and what must come out.
#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string writeScript(const std::string& name, const std::string& text)
{
    std::filesystem::path path = std::filesystem::path(testing::TempDir()) / (name + ".script");
    std::ofstream(path) << text;
    return path.string();
}

testkit::ProcessResult runHeadless(const std::string& program, const std::vector<std::string>& args,
    const std::string& scriptName, const std::string& script)
{
    return testkit::run(program, args,
        {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", writeScript(scriptName, script)},
            {"MACSIM_KEYS", "\x01unset"}});
}

struct LoopCase {
    const char* name;
    std::vector<std::string> args;
    const char* script;
    const char* out;
};

class EventLoop : public testing::TestWithParam<LoopCase> { };

TEST_P(EventLoop, DispatchesAsSpecified)
{
    const LoopCase& c = GetParam();
    auto result = runHeadless("framework-probe", c.args, c.name, c.script);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, EventLoop,
    testing::Values(LoopCase {"idleOncePerPassOneSecondApart", {"--log-idle"}, "wait 240\nquit\n",
                        "option up\nwindow draw\nidle 0\naevt oapp\nidle 0\nidle 60\nidle 120\nidle "
                        "180\naevt quit\nidle 240\n"
                        "run returned\ndone\n"},
        LoopCase {"menuReleasedOutsideCallsNoHandler", {}, "press 60 10\nmove 70 40\nrelease 300 300\nquit\n",
            "option up\nwindow draw\naevt oapp\naevt quit\nrun returned\ndone\n"},
        LoopCase {"commandKeysClaimedAndUnclaimed", {}, "key cmd c\nkey cmd k\nkey cmd v\nkey cmd shift Q\n",
            "option up\nwindow draw\naevt oapp\nedit menu item 1\napp command key k\napp command key v\n"
            "file menu item 3\nquit requested\nrun returned\ndone\n"},
        LoopCase {"plainKeyGoesToTheFrontWindow", {}, "key a\nkey shift b\n",
            "option up\nwindow draw\naevt oapp\nwindow key a\nwindow key B\naevt quit\nrun returned\ndone\n"},
        LoopCase {"keyWithNoWindowGoesToTheApplication", {"--no-window"}, "key a\n",
            "option up\naevt oapp\napp key a\naevt quit\nrun returned\ndone\n"},
        LoopCase {"zoomBoxIgnoredGrowBoxReachesTheWindow", {"--zoom-window"},
            "click 285 89\nclick 295 245\nclick 150 150\n",
            "option up\nwindow draw\naevt oapp\nwindow click 50,50\naevt quit\nrun returned\ndone\n"},
        LoopCase {"closeBoxQuits", {}, "click 113 89\nkey a\n",
            "option up\nwindow draw\naevt oapp\nwindow close\nrun returned\ndone\n"},
        LoopCase {"closeBoxReleasedOutsideDoesNothing", {}, "press 113 89\nmove 200 200\nrelease 200 200\n",
            "option up\nwindow draw\naevt oapp\naevt quit\nrun returned\ndone\n"},
        LoopCase {"quitFinishesThePassAndTakesNoMoreEvents", {"--log-idle"}, "menu File Quit\nkey a\n",
            "option up\nwindow draw\nidle 0\naevt oapp\nidle 0\nfile menu item 3\nquit requested\nidle 0\n"
            "run returned\ndone\n"},
        LoopCase {"destroyedMenusChoiceIsDropped", {"--tools-menu"},
            "menu Tools \"Drop Tools\"\nmenu Raw Ghost\nkey a\n",
            "option up\nwindow draw\naevt oapp\ntools menu item 1\ntools menu dropped\nwindow key a\naevt "
            "quit\n"
            "run returned\ndone\n"},
        LoopCase {"appleMenuItemOneCallsAbout", {}, "menu apple \"About Probe...\"\n",
            "option up\nwindow draw\naevt oapp\nabout\naevt quit\nrun returned\ndone\n"},
        LoopCase {"secondHandlerObjectInstallsNothing", {"--second-handler"}, "",
            "option up\nwindow draw\naevt oapp\naevt quit\nrun returned\ndone\n"},
        LoopCase {"optionHeldAtLaunch", {}, "keys option\nclick 150 150\n",
            "option held\nwindow draw\naevt oapp\nwindow click 50,50\naevt quit\nrun returned\ndone\n"},
        LoopCase {"titleBarClickWithoutMovingMovesNothing", {}, "press 200 90\nrelease 200 90\nkey a\n",
            "option up\nwindow draw\naevt oapp\nwindow key a\naevt quit\nrun returned\ndone\n"}),
    [](const testing::TestParamInfo<LoopCase>& info) { return info.param.name; });

TEST(HeadlessRun, OptionNamedInTheEnvironmentReadsAsHeld)
{
    auto result = testkit::run("framework-probe", {},
        {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", "\x01unset"}, {"MACSIM_KEYS", "option"}});
    EXPECT_EQ(result.out, "option held\nwindow draw\naevt oapp\naevt quit\nrun returned\ndone\n");
    EXPECT_EQ(result.status, 0);
}

TEST(HeadlessRun, ProgramThatIgnoresQuitEndsWithAnError)
{
    auto result = runHeadless("framework-probe", {"--ignore-quit"}, "ignoreQuit", "key a\n");
    EXPECT_EQ(result.out, "option up\nwindow draw\naevt oapp\nwindow key a\naevt quit\n");
    EXPECT_EQ(result.err,
        "macsim: the event script has ended, but the program still waits for input in WaitNextEvent\n");
    EXPECT_EQ(result.status, 1);
}

TEST(HeadlessRun, ScriptEndingWithTheButtonHeldNamesTheLoop)
{
    auto result = runHeadless("framework-probe", {}, "heldInDrag", "press 200 90\nmove 220 100\n");
    EXPECT_EQ(result.err,
        "macsim: the event script has ended with the mouse button held, but the program still waits for "
        "input in "
        "DragWindow\n");
    EXPECT_EQ(result.status, 1);
}

TEST(HeadlessRun, ScriptErrorNamesTheLine)
{
    std::string path = writeScript("badLine", "click 10 30\n# fine\njump 1 2\n");
    auto result
        = testkit::run("framework-probe", {}, {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", path}});
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "macsim: " + path + ":3: unknown command \"jump\"\n");
    EXPECT_EQ(result.status, 1);
}

TEST(HeadlessRun, ScriptStepThatFindsNoTargetNamesTheLine)
{
    std::string path = writeScript("noItem", "key a\nmenu File Open\n");
    auto result
        = testkit::run("framework-probe", {}, {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", path}});
    EXPECT_EQ(result.err, "macsim: " + path + ":2: menu \"File\" has no item \"Open\"\n");
    EXPECT_EQ(result.status, 1);
}

TEST(HeadlessRun, MissingScriptIsAnError)
{
    auto result = testkit::run(
        "framework-probe", {}, {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", "/nonexistent/script"}});
    EXPECT_EQ(result.err, "macsim: cannot read the event script /nonexistent/script\n");
    EXPECT_EQ(result.status, 1);
}

TEST(HeadlessRun, SnapshotPathIsRelativeToTheCurrentDirectory)
{
    std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "snapshot-cwd";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string script = writeScript("snapshot", "snapshot shot.png\n");
    auto program = (testkit::binDirectory() / "framework-probe").string();
    auto result = testkit::run("/bin/sh", {"-c", "cd \"$0\" && exec \"$1\"", dir.string(), program},
        {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", script}});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "shot.png"));
}

TEST(HeadlessRun, FramesFolderReceivesEveryPresentedFrame)
{
    std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "frames";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto result = testkit::run("framework-probe", {},
        {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", writeScript("frames", "click 200 150\n")},
            {"MACSIM_FRAMES", dir.string()}});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "frame-0001.png"));
}

TEST(HostChoice, UnknownDisplayKindIsRefused)
{
    auto result = testkit::run("framework-probe", {}, {{"MACSIM_DISPLAY", "projector"}});
    EXPECT_EQ(result.err,
        "macsim: MACSIM_DISPLAY must be \"headless\", \"window\" or \"framebuffer\", not \"projector\"\n");
    EXPECT_EQ(result.status, 1);
}

TEST(HostChoice, WindowThatCannotOpenIsOneLineAndStatusOne)
{
    auto result = testkit::run("framework-probe", {},
        {{"MACSIM_DISPLAY", "window"}, {"DISPLAY", ":9999"}, {"WAYLAND_DISPLAY", "\x01unset"},
            {"SDL_VIDEODRIVER", "x11"}});
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("macsim: cannot open the window: ", 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    EXPECT_EQ(result.status, 1);
}

} // namespace
