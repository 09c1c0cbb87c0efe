// Each tab of the window as the user first sees it on the default machine (a
// 400 MHz G4 with its 1 MB cache on at 2:1), and the About item of the Apple
// menu bringing the "Info" tab forward.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace apptest {
namespace {

struct TabCase {
    const char* title;
    const char* golden;
    int contentHeight; // the open sub-panes plus 32
};

const TabCase kTabs[] = {
    {"System Profile", "profile-g4", 95 + 80 + 80 + 32},
    {"Tarnwick", "tarnwick-g4", 169 + 104 + 32},
    {"Other", "other-g4", 89 + 89 + 32},
    {"Info", "info", 150 + 32},
};

TEST(Tabs, EachTabAsFirstShown)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    std::string script;
    for (const TabCase& tab : kTabs)
        script += std::string("click-title ") + tab.title + "\nsnapshot @DIR@/" + tab.golden + ".png\n";
    const AppRun run = runTarnwick(script);
    ASSERT_EQ(run.status, 0) << run.err;
    for (const TabCase& tab : kTabs)
        expectWindowMatchesGolden(
            run.snapshot(std::string(tab.golden) + ".png"), tab.golden, tab.contentHeight);
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleL2CR").empty());
    EXPECT_TRUE(writesByApp(machine, "hw.KorvendaleHID0").empty());
}

TEST(Tabs, TheAboutItemShowsTheInfoTabAndNoDialog)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const AppRun run = runTarnwick("menu apple \"About Tarnwick X...\"\nsnapshot @DIR@/about.png\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.dialogs().empty());
    expectWindowMatchesGolden(run.snapshot("about.png"), "info", 150 + 32);
}

} // namespace
} // namespace apptest
