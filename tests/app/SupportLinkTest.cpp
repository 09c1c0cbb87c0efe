// The About sub-pane's link to the support page: the About menu item brings
// the "Info" tab forward, a click on "Click Here" starts the browser with the
// installed README, a press dragged off the link opens nothing, and a
// browser that cannot be started ends the program with an alert.
#include "AppTestSupport.h"

#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace apptest {
namespace {

const std::string kOpenAbout = "menu apple \"About Tarnwick X...\"\n";

std::string readText(const fs::path& path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SupportLink, StartsTheBrowserWithTheInstalledReadme)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    // A browser that notes its argument.
    const auto browser = machine.directory() / "browser.sh";
    const auto noted = machine.directory() / "opened.txt";
    std::ofstream(browser) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << noted.string() << ".part'\nmv '"
                           << noted.string() << ".part' '" << noted.string() << "'\n";
    fs::permissions(browser, fs::perms::owner_all);

    const AppRun run = runTarnwick(kOpenAbout + "click-title Click Here\n", {{"BROWSER", browser.string()}});
    ASSERT_EQ(run.status, 0) << run.err;
    for (int i = 0; i < 200 && !fs::exists(noted); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const auto readme
        = fs::canonical(testkit::binDirectory() / ".." / "share" / "doc" / "korvendale" / "README.md");
    EXPECT_EQ(readText(noted), "file://" + readme.string());
}

// A browser that cannot start raises an error, so an unwanted launch would
// show as alert 10001.
TEST(SupportLink, APressDraggedOffTheLinkOpensNothing)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick(kOpenAbout
            + "press 220 184\nmove 300 250\nrelease 300 250\n"
              "snapshot @DIR@/info.png\n",
        {{"BROWSER", "/nonexistent/browser"}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.dialogs().empty()) << run.err;
    // The link blue again on the Info tab.
    expectWindowMatchesGolden(run.snapshot("info.png"), "info", 182);
}

TEST(SupportLink, AClickBesideTheLinkIsNotTaken)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run
        = runTarnwick(kOpenAbout + "click 300 184\nclick 200 200\n", {{"BROWSER", "/nonexistent/browser"}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.dialogs().empty()) << run.err;
}

TEST(SupportLink, ABrowserThatCannotStartEndsTheProgramUnsaved)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick(
        kOpenAbout + "click-title Click Here\nclick-title OK\n", {{"BROWSER", "/nonexistent/browser"}});
    EXPECT_EQ(run.status, 1);
    ASSERT_FALSE(run.dialogs().empty()) << run.err;
    const std::string alert = run.dialogs()[0];
    EXPECT_EQ(
        alert.rfind("alert 10001: An unexpected error occurred starting the web browser! | LaunchURL | ", 0),
        0u)
        << alert;
    EXPECT_EQ(alert.substr(alert.size() - 6), " | -43") << alert; // fnfErr: no such helper
    EXPECT_FALSE(fs::exists(machine.prefsFile()));
}

} // namespace
} // namespace apptest
