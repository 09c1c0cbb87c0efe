// The L2CR that the startup item writes at boot: DefL2CR with the saved
// ratio's clock, write-through and the enable bit; and the cases in which it
// must write nothing. The machine is a Sawtooth G4 (DefL2CR 0x31000000 once
// the extension has tested its 1 MB of pipelined SRAM; the ROM leaves L2CR at
// 0xB9000000, the cache on at 2:1).
#include "StartupTestSupport.h"

namespace startuptest {
namespace {

struct Applied {
    const char* name;
    std::vector<std::string> machineState; // `macsim set` before booting
    SavedSettings settings;
    const char* expected; // L2CR after boot, written once by the startup item
};

class StartupL2CRTest : public StartupTest, public ::testing::WithParamInterface<Applied> { };

TEST_P(StartupL2CRTest, WritesDefL2CRWithTheSavedRatio)
{
    const auto& param = GetParam();
    if (!param.machineState.empty())
        machine.set(param.machineState);
    savePrefs(param.settings);

    auto r = boot();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    auto writes = itemWrites("hw.KorvendaleL2CR");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].substr(writes[0].size() - 10), param.expected);
    EXPECT_EQ(machine.get("l2cr"), std::stoul(param.expected, nullptr, 16));
}

SavedSettings Ratio(uint32_t selection, bool writeThrough = false)
{
    SavedSettings s;
    s.ratioSelection = selection;
    s.writeThrough = writeThrough;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Selections, StartupL2CRTest,
    ::testing::Values(
        // Automatic: keeps the clock the cache runs at, if it runs.
        Applied {"automaticCacheOnAtBoot", {"rom-l2cr=0xBB000000"}, Ratio(1), "0xBB000000"},
        Applied {"automaticCacheOnAtBootWriteThrough", {"rom-l2cr=0xBB000000"}, Ratio(1, true), "0xBB080000"},
        Applied {"automaticCacheOffAtBoot", {"rom-l2cr=0x3B000000"}, Ratio(1), "0xBD000000"},
        // Every choice's clock code is the register model's (its own table
        // pins all eight); two choices show the item uses it, 7:2 being the
        // one whose code is out of order.
        Applied {"ratio2to1", {}, Ratio(4), "0xB9000000"}, Applied {"ratio7to2", {}, Ratio(7), "0xB7000000"},
        Applied {"ratio2to1WriteThrough", {}, Ratio(4, true), "0xB9080000"},
        Applied {"ratio4to1WriteThroughFromCacheOff", {"rom-l2cr=0x00000000"}, Ratio(8, true), "0xBF080000"}),
    [](const auto& info) { return info.param.name; });

struct Untouched {
    const char* name;
    std::vector<std::string> machineState;
    SavedSettings settings;
};

class StartupL2CRUntouchedTest : public StartupTest, public ::testing::WithParamInterface<Untouched> { };

TEST_P(StartupL2CRUntouchedTest, LeavesL2CRAsTheROMLeftIt)
{
    const auto& param = GetParam();
    if (!param.machineState.empty())
        machine.set(param.machineState);
    savePrefs(param.settings);
    const uint32_t before = machine.get("rom-l2cr");

    auto r = boot();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(itemWrites("hw.KorvendaleL2CR"), Writes {});
    EXPECT_EQ(machine.get("l2cr"), before);
    // It did run: the G4 gets its BTIC bit at every boot.
    EXPECT_EQ(itemWrites("hw.KorvendaleHID0").size(), 1u);
}

SavedSettings CacheOffAtRestart()
{
    SavedSettings s;
    s.enableCache = false;
    s.ratioSelection = 2;
    s.writeThrough = true;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupL2CRUntouchedTest,
    ::testing::Values(
        // Switched off in the preferences: ratio and write-through do not matter.
        Untouched {"cacheNotEnabledAtRestart", {"rom-l2cr=0x00000000"}, CacheOffAtRestart()},
        // The extension found no working SRAM configuration: DefL2CR 0.
        Untouched {"noWorkingConfiguration", {"sram-bad=1"}, Ratio(4, true)},
        // The extension's test did not run: DefL2CR 0xFFFFFFFF.
        Untouched {"testDidNotRun", {"l2-test-alloc-fails=1"}, Ratio(4)},
        // A damaged ratio choice would enable the cache without a clock.
        Untouched {"selection0", {}, Ratio(0, true)}, Untouched {"selection9", {}, Ratio(9, true)},
        // Automatic, with the cache running unclocked at boot: no clock to keep.
        Untouched {"automaticUnclockedAtBoot", {"rom-l2cr=0x81000000"}, Ratio(1, true)}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace startuptest
