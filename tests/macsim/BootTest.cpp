// macsim boot: the power-on reset, then the startup items in name order, each
// on this machine, with failures reported and the boot going on.
#include "MacsimTestSupport.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using macsimtest::macsim;
using macsimtest::readText;
using macsimtest::writeText;

namespace {

TEST(Boot, PowerOnResetRestoresWhatTheRomLeaves)
{
    struct {
        const char* preset;
        unsigned int hid0;
        unsigned int l2cr;
    } const cases[] = {
        {"sawtooth-400", 0x8010C080, 0xB9000000},
        {"lombard-400", 0x8010C080, 0xBB000000},
        {"ibook-366", 0x8010C080, 0xAB000000},
        {"quicksilver-733", 0x8010C080, 0x80000000},
        {"pm9500-200", 0x0000C080, 0x00000000},
    };
    for (const auto& c : cases) {
        testkit::ScopedMachine machine(c.preset);
        fs::remove_all(machine.disk() / "System/Library/StartupItems/Korvendale Startup");
        machine.loadExtension();
        machine.set({"hid0=0x00000001", "l2cr=0x00000000", "temp=60"});
        auto r = macsim(machine.directory(), {"boot"});
        EXPECT_EQ(r.status, 0) << c.preset;
        EXPECT_EQ(r.out + r.err, "") << c.preset;
        EXPECT_EQ(machine.get("hid0"), c.hid0) << c.preset;
        EXPECT_EQ(machine.get("l2cr"), c.l2cr) << c.preset;
        EXPECT_EQ(machine.get("kext-loaded"), 0u) << c.preset;
        EXPECT_EQ(machine.get("temp"), 60u) << c.preset;
    }
}

TEST(Boot, RunsStartupItemsInNameOrderAndGoesOnPastFailures)
{
    testkit::ScopedMachine machine;
    fs::path items = machine.disk() / "System/Library/StartupItems";
    fs::remove_all(items / "Korvendale Startup");
    fs::path log = machine.directory() / "boot.log";
    std::string probe = (testkit::binDirectory() / "macsim-node-probe").string();

    // Loads the extension the way the real startup item does, then writes.
    writeText(items / "B Second/B Second",
        "#!/bin/sh\n\"$MACSIM_MACHINE/disk/sbin/kextload\" /System/Library/Extensions/KorvendaleKEXT.kext\n"
        "echo \"B $1\" >> '"
            + log.string() + "'\n'" + probe + "' write hw.KorvendaleHID0 0x8010C0A0 >> '" + log.string()
            + "'\n",
        true);
    writeText(items / "A First/A First",
        "#!/bin/sh\necho \"A $1\" >> '" + log.string() + "'\n'" + probe + "' read hw.KorvendaleHID0 >> '"
            + log.string() + "'\nexit 0\n",
        true);
    writeText(items / "C Third/C Third", "#!/bin/sh\necho C >> '" + log.string() + "'\nexit 3\n", true);
    fs::create_directories(items / "D Missing");
    writeText(items / "E Plain/E Plain", "#!/bin/sh\necho E >> '" + log.string() + "'\n", false);
    fs::create_directories(items / "F Dangling");
    fs::create_symlink("/nonexistent/F Dangling", items / "F Dangling/F Dangling");
    writeText(items / "G Last/G Last", "#!/bin/sh\necho G >> '" + log.string() + "'\nkill -9 $$\n", true);

    auto r = macsim(machine.directory(), {"boot"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    std::string itemsPath = items.string();
    EXPECT_EQ(r.err,
        "macsim: startup item \"C Third\" exited with status 3\n"
        "macsim: startup item \"D Missing\": there is no program "
            + itemsPath
            + "/D Missing/D Missing\n"
              "macsim: startup item \"E Plain\": "
            + itemsPath
            + "/E Plain/E Plain is not an executable program\n"
              "macsim: startup item \"F Dangling\": "
            + itemsPath
            + "/F Dangling/F Dangling is a dangling link to /nonexistent/F Dangling\n"
              "macsim: startup item \"G Last\" was killed by signal 9 (Killed)\n");
    EXPECT_EQ(readText(log), "A start\nerror ENOENT\nB start\nok\nC\nG\n");
    EXPECT_EQ(machine.journal(), "1 hw.KorvendaleHID0 0x8010C080 -> 0x8010C0A0 macsim-node-probe\n");
}

} // namespace
