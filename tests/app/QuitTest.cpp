// Every way of quitting saves the preferences, and the next boot of the
// simulated Macintosh applies them through the startup item.
#include "AppTestSupport.h"

#include <testkit/Process.h>

#include <gtest/gtest.h>

namespace apptest {
namespace {

using testkit::prefs::kEnableCacheOnRestart;

struct QuitCase {
    const char* name;
    const char* step;
};

const QuitCase kQuitCases[] = {
    {"FileMenu", "menu File Quit"},
    {"CommandQ", "key cmd q"},
    {"CommandW", "key cmd w"},
    {"CloseBox", "click 163 49"},
    {"QuitAppleEvent", "quit"},
};

class Quitting : public testing::TestWithParam<QuitCase> { };

TEST_P(Quitting, SavesThePreferences)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    // Clear the box, quit, then tick it again: the file shows the clear box
    // only if the program really ended at the quit step.
    const std::string tick = "click-title Enable Backside Cache on Restart\n";
    const AppRun run = runTarnwick("click-title Tarnwick\n" + tick + GetParam().step + "\n" + tick);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto prefs = readBytes(machine.prefsFile());
    ASSERT_EQ(prefs.size(), 36u);
    EXPECT_EQ(prefs[kEnableCacheOnRestart], 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, Quitting, testing::ValuesIn(kQuitCases),
    [](const testing::TestParamInfo<QuitCase>& info) { return std::string(info.param.name); });

TEST(Quitting, APlainKeyDoesNothing)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const std::string tick = "click-title Enable Backside Cache on Restart\n";
    const AppRun run = runTarnwick("click-title Tarnwick\n" + tick + "key w\nkey q\n" + tick);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(machine.prefsFile()).at(kEnableCacheOnRestart), 1);
}

// The walk-through of the README: change the ratio, quit, boot, look.
TEST(Quitting, TheNextBootAppliesTheSavedSettings)
{
    testkit::ScopedMachine machine;
    // The first boot finds no preferences: the startup item loads the
    // extension and runs the cache at 3:1 with write-through.
    machine.boot();
    const AppRun run = runTarnwick("click-title Tarnwick\n"
                                   "press 348 148\nrelease 348 132\n" // 3:1 -> 5:2
                                   "click-title Other\n"
                                   "click-title Disable Speculative Access on Restart\n"
                                   "menu File Quit\n");
    ASSERT_EQ(run.status, 0) << run.err;

    machine.boot();
    const auto shown = testkit::run("korvendalecache", {"-d"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("L2CR = 0xBB080000 [1 MB, 5:2]\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("HID0 = 0x8010C228\n"), std::string::npos) << shown.out;
}

// A quit whose preferences cannot be written (the disk is full) says so in
// the error alert, ends with status 1 and keeps the old file.
TEST(Quitting, OnAFullDiskKeepsTheOldPreferences)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    testkit::ScopedMount disk = testkit::ScopedMount::tmpfs(machine.prefsFolder(), 64);
    ASSERT_TRUE(disk.ok());
    ASSERT_EQ(runTarnwick("quit\n").status, 0);
    const auto saved = readBytes(machine.prefsFile());
    ASSERT_EQ(saved.size(), 36u);

    testkit::fillFileSystem(machine.prefsFolder());
    const AppRun run = runTarnwick("quit\nkey return\n"); // the alert's OK
    EXPECT_EQ(run.status, 1);
    ASSERT_FALSE(run.dialogs().empty()) << run.err;
    const std::string alert = run.dialogs().front();
    EXPECT_EQ(alert.rfind("alert 10001: Error creating file! | PFiles | ", 0), 0u) << alert;
    EXPECT_EQ(alert.substr(alert.size() - 5), "| -34") << alert;
    EXPECT_EQ(readBytes(machine.prefsFile()), saved);
}

// A startup item folder that cannot be written to (mounted read-only here),
// as the probe at launch finds: the save that would be refused is skipped,
// the quit is quiet, and the file stays as it was.
TEST(Quitting, WithAReadOnlyFolderSkipsTheSave)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    ASSERT_EQ(runTarnwick("quit\n").status, 0);
    const auto saved = readBytes(machine.prefsFile());
    testkit::ScopedMount readOnly = testkit::ScopedMount::readOnly(machine.prefsFolder());
    ASSERT_TRUE(readOnly.ok());
    const AppRun run = runTarnwick("quit\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.dialogs().empty()) << run.err;
    EXPECT_EQ(readBytes(machine.prefsFile()), saved);
}

// The extension goes away while the window is up: the "Tarnwick" tab then
// shows what the failed reads give (its Current L2CR row differs from a run
// that keeps the extension) and the program carries on to a normal quit. The
// window host runs on real time, so the script's wait leaves the test five
// seconds to unload the extension after the first frame.
TEST(Quitting, AfterTheExtensionWasUnloadedWhileRunning)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    testkit::TempDir scratch;
    auto session = [&](const std::string& name, bool unload) {
        const fs::path ready = scratch.path() / (name + ".ready");
        const fs::path shot = scratch.path() / (name + ".png");
        const fs::path script = scratch.path() / (name + ".script");
        testkit::writeText(script, "wait 300\nclick-title Tarnwick\nsnapshot " + shot.string() + "\nquit\n");
        testkit::Child app("tarnwick-x", {},
            {{"MACSIM_DISPLAY", "window"}, {"SDL_VIDEODRIVER", "dummy"}, {"MACSIM_SCRIPT", script.string()},
                {"MACSIM_READY", ready.string()}});
        EXPECT_TRUE(testkit::waitForFile(ready, 60));
        if (unload)
            machine.unloadExtension();
        EXPECT_EQ(app.wait(), 0);
        return readBytes(shot);
    };
    const auto loaded = session("loaded", false);
    const auto unloaded = session("unloaded", true);
    EXPECT_FALSE(loaded.empty());
    EXPECT_FALSE(unloaded.empty());
    EXPECT_NE(loaded, unloaded);
    EXPECT_EQ(readBytes(machine.prefsFile()).size(), 36u);
}

} // namespace
} // namespace apptest
