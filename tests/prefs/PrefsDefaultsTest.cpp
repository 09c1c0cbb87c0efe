// With no preferences file, the record comes from the running hardware: the
// ratio choice and write-through from the live L2CR, speculative access from
// the machine type. Reading creates nothing on disk.
#include "PrefsTestSupport.h"

namespace prefstest {
namespace {

struct Defaults {
    const char* name;
    std::vector<std::string> machineState; // `macsim set` assignments
    bool extensionLoaded;
    std::string expected; // prefs after reading
};

class PrefsDefaultsTest : public PrefsMachineTest, public ::testing::WithParamInterface<Defaults> { };

TEST_P(PrefsDefaultsTest, NoFileGivesTheDefaultsOfTheRunningMachine)
{
    const auto& param = GetParam();
    if (param.extensionLoaded)
        machine.loadExtension();
    machine.set(param.machineState);
    const auto before = FolderEntries(folder());

    auto r = probe({"read"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "prefs " + Compact(param.expected) + "\n");
    EXPECT_EQ(FolderEntries(folder()), before);
}

INSTANTIATE_TEST_SUITE_P(Machines, PrefsDefaultsTest,
    ::testing::Values(
        // L2CLK 0x06000000 (7:2) is choice 7; write-through follows L2WT.
        Defaults {"enabled72WriteThrough", {"l2cr=0x86080000", "gestalt-mach=406"}, true,
            "00000004 00000000 01010101 00000007 01010001 00010101 00010001 01010101 01000000"},
        Defaults {"enabled72WriteBack", {"l2cr=0x86000000", "gestalt-mach=406"}, true,
            "00000004 00000000 01010101 00000007 01010001 00010101 00010001 00010101 01000000"},
        Defaults {"enabled31", {"l2cr=0xAC000000", "gestalt-mach=406"}, true,
            "00000004 00000000 01010101 00000006 01010001 00010101 00010001 00010101 01000000"},
        Defaults {"enabled21", {"l2cr=0xA9800000", "gestalt-mach=406"}, true,
            "00000004 00000000 01010101 00000004 01010001 00010101 00010001 00010101 01000000"},
        // Enabled without a clock: choice 6.
        Defaults {"enabledNoClock", {"l2cr=0x80080000", "gestalt-mach=406"}, true,
            "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000"},
        // Disabled: choice 6 and write-through on, whatever the other bits say.
        Defaults {"disabled", {"l2cr=0x0A000000", "gestalt-mach=406"}, true,
            "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000"},
        // No extension: the L2CR cannot be read, which counts as disabled.
        Defaults {"noExtension", {"l2cr=0xA9800000", "gestalt-mach=406"}, false,
            "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000"},
        // Speculative access stays on for machine types 312, 313, 406 and 510 only.
        Defaults {"machine312", {"l2cr=0x00000000", "gestalt-mach=312"}, true,
            "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000"},
        Defaults {"machine313", {"l2cr=0x00000000", "gestalt-mach=313"}, true,
            "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000"},
        Defaults {"machine510", {"l2cr=0x00000000", "gestalt-mach=510"}, true,
            "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000"},
        Defaults {"machine314", {"l2cr=0x00000000", "gestalt-mach=314"}, true,
            "00000004 00000000 01010101 00000006 01010001 01010101 00010001 01010101 01000000"},
        Defaults {"machine1206", {"l2cr=0x00000000", "gestalt-mach=1206"}, true,
            "00000004 00000000 01010101 00000006 01010001 01010101 00010001 01010101 01000000"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace prefstest
