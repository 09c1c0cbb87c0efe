// The controls and dialogs in a program driven by an event script, as the
// end-to-end tests drive the application: live feedback while the button is
// held, what each click reports, and the dialog record on standard error.
#include <testkit/Process.h>

#include <image/Png.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class Sampler : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/control-sampler-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    testkit::ProcessResult runScript(const std::string& scenario, const std::string& script)
    {
        const fs::path file = dir_ / "script.txt";
        std::ofstream(file) << script;
        return testkit::run("control_sampler", {scenario},
            {{"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", file.string()}, {"MACSIM_LOG_DIALOGS", "1"}});
    }

    fs::path dir_;
};

// The window's content starts at (40, 60); "Check Me" is at 10,40 - 110,52
// within it and its box 10,40 - 22,52.
TEST_F(Sampler, ACheckBoxShowsThePressWhileTheMouseIsOverIt)
{
    const std::string script = "press 60 106\n"
                               "snapshot "
        + (dir_ / "pressed.png").string()
        + "\n"
          "move 300 300\n"
          "snapshot "
        + (dir_ / "outside.png").string()
        + "\n"
          "release 300 300\n"
          "click 60 106\n";
    const auto r = runScript("controls", script);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Check Me: part 0 value 1\nCheck Me: part 11 value 1\n");
    // Inside the box: grey while pressed, white once the mouse has left.
    toolbox::Image pressed, outside;
    ASSERT_TRUE(toolbox::readPNG((dir_ / "pressed.png").string(), pressed));
    ASSERT_TRUE(toolbox::readPNG((dir_ / "outside.png").string(), outside));
    EXPECT_EQ(pressed.at(40 + 10 + 9, 60 + 40 + 9), 0xAAAAAAu);
    EXPECT_EQ(outside.at(40 + 10 + 9, 60 + 40 + 9), 0xFFFFFFu);
}

TEST_F(Sampler, ClicksOnDimmedControlsFindNothing)
{
    const auto r = runScript("controls", "click 240 78\nclick 240 106\nclick 60 78\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "nothing\nnothing\nPress Me: part 10 value 0\n");
}

// Dialog 130 at (120, 112): the check box three times, then Change.
TEST_F(Sampler, TheWarningDialogReportsEachItemAndIsRecorded)
{
    const auto r = runScript("dialog", "click 200 241\nclick 200 241\nclick 200 241\nclick 380 272\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "item 6\nitem 6\nitem 6\nitem 2\ncheck box 1\n");
    EXPECT_EQ(r.err,
        "dialog 130: 400 | 1:1 |  | \n"
        "dialog 130 -> 6\n"
        "dialog 130 -> 6\n"
        "dialog 130 -> 6\n"
        "dialog 130 -> 2\n");
}

TEST_F(Sampler, TheStopAlertIsRecordedWithItsParameters)
{
    const auto r = runScript("alert", "click 460 239\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "alert 1\n");
    EXPECT_EQ(r.err, "alert 10001: Failed to open file! | PFiles | 123 | -43\nalert 10001 -> 1\n");
}

} // namespace
