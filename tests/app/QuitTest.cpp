// Every way of quitting saves the preferences, and the next boot of the
// simulated Macintosh applies them through the startup item.
#include "AppTestSupport.h"

#include <testkit/Process.h>

#include <gtest/gtest.h>

namespace apptest {
namespace {

constexpr size_t kEnableOnRestartByte = 16;

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
    const auto prefs = readFile(prefsPath(machine));
    ASSERT_EQ(prefs.size(), 36u);
    EXPECT_EQ(prefs[kEnableOnRestartByte], 0);
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
    EXPECT_EQ(readFile(prefsPath(machine)).at(kEnableOnRestartByte), 1);
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

} // namespace
} // namespace apptest
