// The startup item's behaviour around its preferences: unreadable ones
// (extension loaded, registers untouched, one line on standard error, exit
// status 1), none at all (the defaults, with the cache counted as off), and a
// run without the extension.
#include "StartupTestSupport.h"

namespace startuptest {
namespace {

const char kPrefix[] = "Korvendale Startup: the preferences could not be read: ";

struct Unreadable {
    const char* name;
    std::vector<unsigned char> file;
    std::string message;
};

class StartupUnreadablePrefsTest : public StartupTest, public ::testing::WithParamInterface<Unreadable> { };

TEST_P(StartupUnreadablePrefsTest, UnderBootLoadsTheExtensionAndTouchesNoRegister)
{
    savePrefsBytes(GetParam().file);
    auto r = boot();
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find(std::string(kPrefix) + GetParam().message + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(machine.get("kext-loaded"), 1u);
    EXPECT_EQ(itemWrites(), Writes {});
    EXPECT_EQ(machine.get("l2cr"), machine.get("rom-l2cr"));
    EXPECT_EQ(machine.get("hid0"), machine.get("rom-hid0"));
}

TEST_P(StartupUnreadablePrefsTest, ByItselfSaysWhyOnOneLineAndExits1)
{
    savePrefsBytes(GetParam().file);
    auto r = runItem();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string(kPrefix) + GetParam().message + "\n");
    EXPECT_EQ(machine.get("kext-loaded"), 1u);
    EXPECT_EQ(itemWrites(), Writes {});
}

INSTANTIATE_TEST_SUITE_P(Files, StartupUnreadablePrefsTest,
    ::testing::Values(Unreadable {"newerVersion",
                          {0, 0, 0, 5, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 4, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 0, 1,
                              0, 1, 1, 1, 1, 0, 0, 0},
                          "Your G3 Lumbrisk preferences are from a newer version of G3 Lumbrisk.  Please "
                          "trash them or use the "
                          "newer version."},
        Unreadable {"versionZero",
            {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 4, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1,
                1, 0, 0, 0},
            "Your G3 Lumbrisk preferences are from a newer version of G3 Lumbrisk.  Please trash them or use "
            "the "
            "newer version."},
        Unreadable {"truncated", {0, 0}, "Failed to read from file! (error -39)"}),
    [](const auto& info) { return info.param.name; });

using StartupRulesTest = StartupTest;

TEST_F(StartupRulesTest, AMissingFolderIsReportedAndTheExtensionStillLoaded)
{
    std::filesystem::remove_all(folder());
    auto r = runItem();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
        std::string(kPrefix)
            + "PBGetCatInfoSync() failed in PDirectoryDescriptor::subDirectory()! "
              "(error -43)\n");
    EXPECT_EQ(machine.get("kext-loaded"), 1u);
    EXPECT_EQ(itemWrites(), Writes {});
}

// No file: the defaults are computed before the extension is loaded, so the
// cache counts as off (ratio choice 6, 3:1, write-through on); the Sawtooth
// (machine type 406) keeps speculative access; DPM is on by default.
TEST_F(StartupRulesTest, NoPreferencesFileAppliesTheDefaults)
{
    auto r = boot();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(itemWrites(),
        (Writes {"hw.KorvendaleL2CR 0xB9000000 -> 0xBD080000", "hw.KorvendaleHID0 0x8010C080 -> 0x8010C0A0",
            "hw.KorvendaleHID0 0x8010C0A0 -> 0x8010C0A0"}));
}

TEST_F(StartupRulesTest, ArgumentsChangeNothing)
{
    SavedSettings s;
    s.ratioSelection = 5;
    s.disableSpeculativeAccess = true;
    savePrefs(s);
    machine.loadExtension();

    auto r = runItem({"start", "--verbose", "Korvendale"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(itemWrites(),
        (Writes {"hw.KorvendaleL2CR 0xB9000000 -> 0xBB000000", "hw.KorvendaleHID0 0x8010C080 -> 0x8010C0A0",
            "hw.KorvendaleHID0 0x8010C0A0 -> 0x8010C2A8", "hw.KorvendaleHID0 0x8010C2A8 -> 0x8010C228"}));
}

// Without the extension the register nodes do not exist: nothing is written
// and the run still ends normally.
TEST_F(StartupRulesTest, AMissingExtensionWritesNothing)
{
    SavedSettings s;
    s.disableSpeculativeAccess = true;
    s.enableDPM = true;
    savePrefs(s);
    std::filesystem::remove_all(machine.disk() / "System" / "Library" / "Extensions" / "KorvendaleKEXT.kext");

    auto r = runItem();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(machine.get("kext-loaded"), 0u);
    EXPECT_EQ(itemWrites(), Writes {});
}

} // namespace
} // namespace startuptest
