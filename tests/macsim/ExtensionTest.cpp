// Loading the kernel extension: the disk's sbin/kextload (as the startup item
// calls it) and "macsim kext", the L2 test's DefL2CR from the installed SRAM
// with its two reserved values, and a loader asked for a missing extension.
#include "MacsimTestSupport.h"
#include "testkit/ScopedMachine.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using macsimtest::probe;

namespace {

testkit::ProcessResult kextload(const testkit::ScopedMachine& machine, const std::string& path)
{
    return testkit::run((machine.disk() / "sbin" / "kextload").string(), {path},
        {{"MACSIM_MACHINE", machine.directory().string()}});
}

TEST(Extension, L2TestPublishesDefL2crFromTheInstalledSram)
{
    struct {
        const char* preset;
        std::vector<std::string> settings;
        unsigned int defL2cr;
    } const cases[] = {
        {"sawtooth-400", {}, 0x31000000},
        {"imac-333", {}, 0x21000000},
        {"sawtooth-400", {"sram-size=512", "sram-type=late-write"}, 0x21800000},
        {"sawtooth-400", {"sram-size=2048", "sram-type=late-write", "sram-hold=1.0", "sram-differential=1"},
            0x01814000},
        {"sawtooth-400", {"sram-size=256", "sram-type=flow-through", "sram-hold=2.0"}, 0x10030000},
        {"sawtooth-400", {"sram-bad=1"}, 0x00000000},
        {"sawtooth-400", {"l2-test-alloc-fails=1"}, 0xFFFFFFFF},
        {"sawtooth-400", {"sram-bad=1", "l2-test-alloc-fails=1"}, 0xFFFFFFFF},
        {"pm9500-200", {}, 0x00000000},
    };
    for (const auto& c : cases) {
        testkit::ScopedMachine machine(c.preset);
        if (!c.settings.empty())
            machine.set(c.settings);
        auto r = kextload(machine, "/System/Library/Extensions/KorvendaleKEXT.kext");
        EXPECT_EQ(r.status, 0) << c.preset << r.err;
        EXPECT_EQ(r.out + r.err, "");
        char expected[16];
        std::snprintf(expected, sizeof expected, "0x%08X\n", c.defL2cr);
        EXPECT_EQ(probe(machine.directory(), {"read", "hw.KorvendaleDefL2CR"}).out, expected) << c.preset;
    }
}

TEST(Extension, LoaderTakesAHostPathToo)
{
    testkit::ScopedMachine machine;
    auto r = kextload(machine, (machine.disk() / "System/Library/Extensions/KorvendaleKEXT.kext").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(machine.get("kext-loaded"), 1u);
    EXPECT_EQ(machine.get("def-l2cr"), 0x31000000u);
}

TEST(Extension, MissingExtensionLoadsNothing)
{
    testkit::ScopedMachine machine;
    fs::remove_all(machine.disk() / "System/Library/Extensions/KorvendaleKEXT.kext");
    auto r = kextload(machine, "/System/Library/Extensions/KorvendaleKEXT.kext");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
        "kextload: can't find extension /System/Library/Extensions/KorvendaleKEXT.kext: No such file or "
        "directory\n");
    EXPECT_EQ(machine.get("kext-loaded"), 0u);
    EXPECT_EQ(probe(machine.directory(), {"read", "hw.KorvendalePVR"}).out, "error ENOENT\n");
}

TEST(Extension, LoaderRefusesBadArguments)
{
    testkit::ScopedMachine machine;
    fs::create_directories(machine.disk() / "System/Library/Extensions/Other.kext");
    struct {
        std::vector<std::string> args;
        std::string err;
    } const cases[] = {
        {{}, "usage: kextload extension\n  loads the kernel extension at the path extension\n"},
        {{"-x"}, "usage: kextload extension\n  loads the kernel extension at the path extension\n"},
        {{"/System/Library/Extensions/Other.kext"},
            "kextload: /System/Library/Extensions/Other.kext is not a valid kernel extension (it has no "
            "Contents/Info.plist)\n"},
    };
    for (const auto& c : cases) {
        auto r = testkit::run((machine.disk() / "sbin" / "kextload").string(), c.args,
            {{"MACSIM_MACHINE", machine.directory().string()}});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(machine.get("kext-loaded"), 0u);
}

TEST(Extension, UnloadRemovesTheNodesAndReloadRerunsTheTest)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    machine.unloadExtension();
    EXPECT_EQ(probe(machine.directory(), {"read", "hw.KorvendaleL2CR"}).out, "error ENOENT\n");
    machine.set({"sram-bad=1"});
    machine.loadExtension();
    EXPECT_EQ(probe(machine.directory(), {"read", "hw.KorvendaleDefL2CR"}).out, "0x00000000\n");
}

TEST(Extension, LoadingTwiceKeepsTheFirstTest)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    machine.set({"l2-test-alloc-fails=1"});
    auto r = kextload(machine, "/System/Library/Extensions/KorvendaleKEXT.kext");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(machine.get("def-l2cr"), 0x31000000u);
}

} // namespace
