// What keeps a hang in the boot's register writes from hanging every boot:
// the file "Applying Settings" beside the preferences while the writes are
// made, honoured by the next boot; and the boot argument korvendale.skip.
// Where nothing is applied the extension is still loaded and the registers
// stay as the ROM left them.
#include "StartupTestSupport.h"

#include "testkit/FakeLinux.h"
#include "testkit/PrefsRecord.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace startuptest {
namespace {

namespace fs = std::filesystem;

const std::string kSkipLine = "Korvendale Startup: korvendale.skip is among the boot arguments; the saved "
                              "settings are not applied this boot\n";

class StartupGuardTest : public StartupTest {
protected:
    fs::path applyingFile() const { return folder() / "Applying Settings"; }

    std::string unfinishedLine() const
    {
        return "Korvendale Startup: the saved settings were not applied: their last apply never finished "
               "(the machine may have hung); once they are safe, remove \""
            + applyingFile().string() + "\" to apply them at boot again\n";
    }

    void expectNothingApplied()
    {
        EXPECT_EQ(machine.get("kext-loaded"), 1u);
        EXPECT_EQ(itemWrites(), Writes {});
        EXPECT_EQ(machine.get("l2cr"), machine.get("rom-l2cr"));
        EXPECT_EQ(machine.get("hid0"), machine.get("rom-hid0"));
    }
};

// The machine hangs in the first register write: the item is stopped there,
// with the machine's lock held so that the write cannot happen, and killed
// like a machine switched off. The next boots apply nothing until the owner
// removes the file.
TEST_F(StartupGuardTest, AHangInTheApplyStopsTheNextBootsUntilTheFileIsRemoved)
{
    savePrefs({});
    machine.loadExtension();
    // The loader takes the machine's lock too; the extension is loaded already.
    const fs::path loader = machine.disk() / "sbin" / "kextload";
    const fs::path realLoader = fs::read_symlink(loader);
    fs::remove(loader);
    testkit::writeText(loader, "#!/bin/sh\nexit 0\n", true);

    const int lock = ::open((machine.directory() / "lock").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    {
        testkit::Child item(itemProgram(), {});
        EXPECT_TRUE(testkit::waitForFile(applyingFile(), 20)) << "no file before the first write";
        item.kill();
    }
    ::close(lock);
    EXPECT_EQ(itemWrites(), Writes {});
    const testkit::Bytes left = testkit::readBytes(applyingFile());
    fs::remove(loader);
    fs::create_symlink(realLoader, loader);

    for (int i = 0; i < 2; ++i) {
        auto r = boot();
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(
            r.err, unfinishedLine() + "macsim: startup item \"Korvendale Startup\" exited with status 1\n");
        expectNothingApplied();
    }
    auto r = runItem();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, unfinishedLine());
    EXPECT_EQ(testkit::readBytes(applyingFile()), left);

    fs::remove(applyingFile());
    r = boot();
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(itemWrites("hw.KorvendaleL2CR").size(), 1u);
    EXPECT_FALSE(fs::exists(applyingFile()));
}

struct BootArguments {
    const char* name;
    std::vector<std::string> settings; // `macsim set boot-args=...`, in order
    bool skipped;
};

class StartupBootArgumentsTest : public StartupGuardTest,
                                 public ::testing::WithParamInterface<BootArguments> { };

TEST_P(StartupBootArgumentsTest, SkipAppliesNothingForThatBootOnly)
{
    savePrefs({});
    for (const std::string& words : GetParam().settings)
        machine.set({"boot-args=" + words});

    auto r = boot();
    EXPECT_EQ(r.status, 0);
    if (GetParam().skipped) {
        EXPECT_EQ(r.err, kSkipLine);
        expectNothingApplied();
    } else {
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(itemWrites("hw.KorvendaleL2CR").size(), 1u);
    }
    EXPECT_FALSE(fs::exists(applyingFile()));
}

INSTANTIATE_TEST_SUITE_P(Words, StartupBootArgumentsTest,
    ::testing::Values(BootArguments {"none", {}, false},
        BootArguments {"skipAlone", {"korvendale.skip"}, true},
        BootArguments {"skipAmongOthers", {"-v korvendale.skip debug=0x144"}, true},
        BootArguments {"otherWordsOnly", {"-v debug=0x144"}, false},
        BootArguments {"longerWords", {"korvendale.skipped xkorvendale.skip"}, false},
        BootArguments {"skipCleared", {"korvendale.skip", ""}, false}),
    [](const auto& info) { return info.param.name; });

// Without the file there is no guard, so there are no writes either.
TEST_F(StartupGuardTest, AFileThatCannotBeWrittenMeansNothingApplied)
{
    savePrefs({});
    auto readOnly = testkit::ScopedMount::readOnly(folder());
    ASSERT_TRUE(readOnly.ok());

    auto r = runItem();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
        "Korvendale Startup: the saved settings were not applied: \"" + applyingFile().string()
            + "\" could not be written (error -5000)\n");
    expectNothingApplied();
    EXPECT_FALSE(fs::exists(applyingFile()));
}

// Writes that fail are errors, not a hang: the file goes, and the next boot
// applies again.
TEST_F(StartupGuardTest, FailedWritesLeaveNoFile)
{
    savePrefs({});
    machine.loadExtension();
    fs::create_directory(machine.directory() / "state.new"); // the machine cannot store a change

    auto r = runItem();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(itemWrites(), Writes {});
    EXPECT_FALSE(fs::exists(applyingFile()));
}

// On Linux: the file in the state folder, the word on the kernel command
// line, and the journal's one line, with a G4's registers.
struct OnLinux {
    const char* name;
    const char* commandLine;
    bool fileLeft;
    int status;
    bool applied;
};

class StartupOnLinuxTest : public ::testing::TestWithParam<OnLinux> { };

TEST_P(StartupOnLinuxTest, GuardsTheApplyAsOnTheMac)
{
    testkit::FakeLinux real;
    const std::pair<const char*, const char*> registers[]
        = {{"KorvendalePVR", "786953"}, {"KorvendaleHID0", "2148581504"}, {"KorvendaleHID1", "0"},
            {"KorvendaleTemp", "40"}, {"KorvendaleL2CR", "3103784960"}, {"KorvendaleDefL2CR", "822083584"}};
    for (const auto& [node, text] : registers)
        real.setNode(node, text);
    real.setCommandLine(GetParam().commandLine);
    const fs::path item = fs::path("System") / "Library" / "StartupItems" / "Korvendale Startup";
    const fs::path prefs = real.stateFolder() / item / "Tarnwick X Prefs";
    testkit::writeBytes(prefs, testkit::prefs::record(5)); // 5:2
    const fs::path applying = real.stateFolder() / item / "Applying Settings";
    if (GetParam().fileLeft)
        testkit::writeText(applying, "");

    auto r = real.run(itemProgram(), {});
    EXPECT_EQ(r.status, GetParam().status);
    const std::string seen = (testkit::FakeLinux::programStateFolder() / item / "Applying Settings").string();
    if (GetParam().applied) {
        EXPECT_EQ(r.err, "Korvendale Startup: applying the saved settings through the korvendale module\n");
        EXPECT_EQ(real.node("KorvendaleL2CR"), "3137339392\n"); // 0xBB000000
        EXPECT_EQ(real.node("KorvendaleHID0"), "2148581536\n"); // BTIC
    } else {
        EXPECT_EQ(r.err,
            GetParam().fileLeft ? "Korvendale Startup: the saved settings were not applied: their last apply "
                                  "never finished (the machine may have hung); once they are safe, remove \""
                    + seen + "\" to apply them at boot again\n"
                                : kSkipLine);
        EXPECT_EQ(real.node("KorvendaleL2CR"), "3103784960\n");
        EXPECT_EQ(real.node("KorvendaleHID0"), "2148581504\n");
    }
    EXPECT_EQ(fs::exists(applying), GetParam().fileLeft);
    EXPECT_EQ(testkit::readBytes(prefs), testkit::prefs::record(5));
}

INSTANTIATE_TEST_SUITE_P(Boots, StartupOnLinuxTest,
    ::testing::Values(OnLinux {"normal", "root=/dev/sda3 ro quiet", false, 0, true},
        OnLinux {"skip", "root=/dev/sda3 ro korvendale.skip quiet", false, 0, false},
        OnLinux {"lastApplyUnfinished", "root=/dev/sda3 ro quiet", true, 1, false}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace startuptest
