// The "System Profile" tab as the user sees it at launch, on machines whose
// processor the panes serve and one they do not, with the cache off and with
// a cache that runs without a clock.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace apptest {
namespace {

struct ProfileCase {
    const char* golden;
    const char* preset;
    std::vector<std::string> settings;
    const char* shows; // what the golden holds, for whoever rebaselines it
};

const ProfileCase kProfileCases[] = {
    {"profile-g4", "sawtooth-400", {},
        "PowerPC 7400, 400 MHz, 31 C (87 F), 0x000C0209; 1 MB, 200 MHz [2:1], Not present or disabled; "
        "406, Power Macintosh G4 (Sawtooth), 100 MHz"},
    {"profile-g3", "bw-g3-400", {},
        "PowerPC 750, 400 MHz, 36 C (96 F); 1 MB, 200 MHz [2:1]; Power Macintosh G3 (Blue & White)"},
    {"profile-unsupported", "pm9500-200", {},
        "PowerPC 604e; Temperature: Unavailable on this processor; both backside rows Not present"},
    {"profile-cache-off", "sawtooth-400", {"l2cr=0x39000000", "temp=-5"},
        "Disabled in both backside rows; the motherboard row still Not present or disabled; "
        "a reading below zero as -5 C (23 F)"},
    {"profile-no-clock", "sawtooth-400", {"l2cr=0xB1000000"}, "speed row 0 MHz [Incorrectly configured]"},
};

class SystemProfile : public testing::TestWithParam<ProfileCase> { };

TEST_P(SystemProfile, ShowsTheLiveMachine)
{
    const ProfileCase& c = GetParam();
    testkit::ScopedMachine machine(c.preset);
    if (!c.settings.empty())
        machine.set(c.settings);
    machine.loadExtension();

    const AppRun run = runTarnwick("snapshot @DIR@/profile.png\n");
    ASSERT_EQ(run.status, 0) << run.err;
    expectWindowMatchesGolden(run.snapshot("profile.png"), c.golden, 287);
}

INSTANTIATE_TEST_SUITE_P(Machines, SystemProfile, testing::ValuesIn(kProfileCases),
    [](const testing::TestParamInfo<ProfileCase>& info) {
        std::string name = info.param.golden;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// Closing a sub-pane is remembered: the next launch starts with it closed.
TEST(SystemProfile, ACollapsedSubPaneStaysCollapsedAtTheNextLaunch)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    // The triangle of "Cache Overview", the second band (window y 122).
    const AppRun first = runTarnwick("click 162 195\n");
    ASSERT_EQ(first.status, 0) << first.err;
    const auto bytes = readBytes(machine.prefsFile());
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_EQ(bytes[8], 1) << "processorOverviewDinked";
    EXPECT_EQ(bytes[9], 0) << "cacheOverviewDinked";
    EXPECT_EQ(bytes[10], 1) << "motherboardOverviewDinked";

    const AppRun second = runTarnwick("snapshot @DIR@/profile.png\n");
    ASSERT_EQ(second.status, 0) << second.err;
    // Processor Overview open, Cache Overview a 20-pixel strip, Motherboard open.
    expectWindowMatchesGolden(second.snapshot("profile.png"), "profile-cache-collapsed", 95 + 20 + 80 + 32);
}

} // namespace
} // namespace apptest
