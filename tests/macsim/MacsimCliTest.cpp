// The macsim command as a user meets it: help, refusals with their exact
// messages, get and set, the journal, and where machines are made.
#include "MacsimTestSupport.h"
#include "testkit/ScopedMachine.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using macsimtest::macsim;
using macsimtest::probe;
using macsimtest::TempDir;

namespace {

TEST(MacsimCli, BadInputIsRefusedWithAClearMessage)
{
    testkit::ScopedMachine machine;
    std::string state = macsimtest::readText(machine.directory() / "state");
    struct {
        std::vector<std::string> args;
        std::string err;
    } const cases[] = {
        {{"frobnicate"}, "macsim: unknown verb \"frobnicate\" (see \"macsim --help\")\n"},
        {{"get", "colour"}, "macsim: unknown field \"colour\" (see \"macsim set --help\")\n"},
        {{"get"}, "macsim: get takes one field name (see \"macsim get --help\")\n"},
        {{"set", "hid0=0x1G"},
            "macsim: bad value for hid0: \"0x1G\" (expected a number in decimal or 0x hexadecimal)\n"},
        {{"set", "cpu-hz=4294967296"},
            "macsim: bad value for cpu-hz: \"4294967296\" (expected a number in decimal or 0x "
            "hexadecimal)\n"},
        {{"set", "temp=-"},
            "macsim: bad value for temp: \"-\" (expected a signed number in decimal or 0x hexadecimal)\n"},
        {{"set", "sram-size=384"},
            "macsim: bad value for sram-size: \"384\" (expected 0, 256, 512, 1024 or 2048)\n"},
        {{"set", "classic=yes"}, "macsim: bad value for classic: \"yes\" (expected 0 or 1)\n"},
        // One bad assignment stops them all, the good ones before it too.
        {{"set", "hid0=0x1", "l2cr"}, "macsim: expected FIELD=VALUE, got \"l2cr\"\n"},
        {{"set", "journal-seq=5"}, "macsim: journal-seq is kept by the machine and cannot be set\n"},
        {{"set"}, "macsim: set needs at least one FIELD=VALUE (see \"macsim set --help\")\n"},
        {{"kext", "reload"}, "macsim: kext takes \"load\" or \"unload\" (see \"macsim kext --help\")\n"},
        {{"journal", "--all"}, "macsim: journal takes only --clear (see \"macsim journal --help\")\n"},
        {{"create"},
            "macsim: a machine already exists at " + machine.directory().string()
                + " (use --force to replace it)\n"},
        {{"create", "--force", "--preset", "cray-1"},
            "macsim: unknown preset \"cray-1\" (see \"macsim presets\")\n"},
        {{"create", "--preset"}, "macsim: --preset needs a preset name (see \"macsim presets\")\n"},
        {{"show", "all"}, "macsim: show takes no arguments\n"},
    };
    for (const auto& c : cases) {
        auto r = macsim(machine.directory(), c.args);
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(macsimtest::readText(machine.directory() / "state"), state);
}

TEST(MacsimCli, AMachineNamedButNotMadeIsAnError)
{
    TempDir empty;
    std::string expected = "macsim: no simulated machine at " + empty.path().string() + " ("
        + empty.path().string() + "/state does not exist); make one with \"macsim create\"\n";
    for (const std::vector<std::string>& args :
        std::vector<std::vector<std::string>> {{"get", "pvr"}, {"show"}, {"journal"}, {"boot"}}) {
        auto r = macsim(empty.path(), args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, expected) << args[0];
    }
    auto r = probe(empty.path(), {"read", "hw.KorvendalePVR"});
    EXPECT_EQ(r.out, "error ENOENT\n");
    EXPECT_EQ(r.err, expected);
    EXPECT_FALSE(fs::exists(empty.path() / "state"));
}

TEST(MacsimCli, EveryVerbHasHelp)
{
    for (const char* verb : {"presets", "create", "show", "get", "set", "boot", "kext", "journal"}) {
        auto r = testkit::run("macsim", {verb, "--help"});
        EXPECT_EQ(r.status, 0) << verb;
        EXPECT_EQ(r.out.rfind(std::string("usage: macsim ") + verb, 0), 0u) << r.out;
    }
    auto r = testkit::run("macsim", {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: macsim VERB [ARGUMENTS]\n", 0), 0u);
    auto bare = testkit::run("macsim", {});
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.err, r.out);
}

TEST(MacsimCli, GetPrintsFieldsAsTheStateHoldsThem)
{
    testkit::ScopedMachine machine("bw-g3-400");
    machine.set({"temp=-3", "sram-hold=1.0", "model=PowerMac1,1 rev B"});
    struct {
        const char* field;
        const char* out;
    } const cases[] = {
        {"pvr", "0x00080202\n"},
        {"hid1", "0xA0000000\n"},
        {"cpu-hz", "400000000\n"},
        {"gestalt-cput", "264\n"},
        {"temp", "-3\n"},
        {"model", "PowerMac1,1 rev B\n"},
        {"sram-type", "pipelined\n"},
        {"sram-hold", "1.0\n"},
        {"kext-loaded", "0\n"},
    };
    for (const auto& c : cases) {
        auto r = macsim(machine.directory(), {"get", c.field});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out) << c.field;
    }
}

TEST(MacsimCli, JournalListsWritesOldestFirstAndClears)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    probe(machine.directory(), {"write", "hw.KorvendaleL2CR", "0"});
    probe(machine.directory(), {"write", "hw.KorvendaleL2CR", "0xA9800000"});
    probe(machine.directory(), {"write", "hw.KorvendaleHID0", "0x8010C0A0"});
    EXPECT_EQ(machine.journal(),
        "1 hw.KorvendaleL2CR 0xB9000000 -> 0x00000000 macsim-node-probe\n"
        "2 hw.KorvendaleL2CR 0x00000000 -> 0xA9800000 macsim-node-probe\n"
        "3 hw.KorvendaleHID0 0x8010C080 -> 0x8010C0A0 macsim-node-probe\n");
    auto cleared = macsim(machine.directory(), {"journal", "--clear"});
    EXPECT_EQ(cleared.status, 0);
    EXPECT_EQ(machine.journal(), "");
    probe(machine.directory(), {"write", "hw.KorvendaleHID0", "0x8010C080"});
    EXPECT_EQ(machine.journal(), "4 hw.KorvendaleHID0 0x8010C0A0 -> 0x8010C080 macsim-node-probe\n");
}

TEST(MacsimCli, CreateForceReplacesTheMachine)
{
    testkit::ScopedMachine machine;
    machine.set({"hid0=0"});
    auto r = macsim(machine.directory(), {"create", "--preset", "imac-333", "--force"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Created a machine from preset imac-333 at " + machine.directory().string() + "\n");
    EXPECT_EQ(machine.get("pvr"), 0x00080202u);
    EXPECT_EQ(machine.get("hid0"), 0x8010C080u);
}

TEST(MacsimCli, TheDefaultMachineIsMadeOnFirstUse)
{
    TempDir home;
    std::map<std::string, std::string> env = {{"MACSIM_MACHINE", "\x01unset"},
        {"XDG_DATA_HOME", (home.path() / "data").string()}, {"HOME", home.path().string()}};
    auto r = testkit::run("macsim", {"get", "model"}, env);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "PowerMac3,1\n");
    EXPECT_TRUE(fs::exists(home.path() / "data/macsim/default/disk/sbin"));
    // It comes up booted, as a Mac that is switched on: the startup item has
    // loaded the extension, so the first command a new user types answers.
    auto display = testkit::run("korvendalecache", {"-d"}, env);
    EXPECT_EQ(display.status, 0) << display.out << display.err;
    EXPECT_EQ(display.out.rfind("PVR  = 0x000C0209\n", 0), 0u) << display.out;

    // Without XDG_DATA_HOME it lives under ~/.local/share; a sysctl call
    // makes it as well.
    env["XDG_DATA_HOME"] = "\x01unset";
    auto model = testkit::run("macsim-node-probe", {"model"}, env);
    EXPECT_EQ(model.out, "PowerMac3,1\n");
    EXPECT_TRUE(fs::exists(home.path() / ".local/share/macsim/default/state"));
}

} // namespace
