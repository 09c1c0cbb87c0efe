// "Tarnwick X Prefs" on a simulated disk, read and written by prefs-probe (the
// preferences functions in a process of their own): the file's bytes, what a
// program finds in `prefs` afterwards, the defaults of a machine without a
// file, and writes that fail for real (a file size limit, a full or read-only
// file system), which must leave the old file as it was.
#include "testkit/Files.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;
using testkit::folderEntries;
using testkit::fromHex;
using testkit::hex;
using testkit::readBytes;
using testkit::writeBytes;

// Hex text without its spaces.
std::string Compact(const std::string& spaced)
{
    std::string out;
    for (char c : spaced)
        if (c != ' ')
            out += c;
    return out;
}

class PrefsFileTest : public ::testing::Test {
protected:
    testkit::ScopedMachine machine;
    fs::path folder() const { return machine.prefsFolder(); }
    fs::path prefsFile() const { return machine.prefsFile(); }
    fs::path sidecar() const { return folder() / "._Tarnwick X Prefs"; }
    testkit::ProcessResult probe(const std::vector<std::string>& args)
    {
        return testkit::run("prefs-probe", args);
    }
};

// A saved record: tab 2, ratio choice 4 (2:1), cache on at boot, speculative
// access off, DPM off, write-through on.
const std::string kSaved = "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01010000 00000000";
// The record before a failed write.
const std::string kOld = "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000";

const std::string kNewerVersionError
    = "error 0 message=1 Your G3 Lumbrisk preferences are from a newer version of G3 Lumbrisk.  Please trash "
      "them or use the newer version.\n";

TEST_F(PrefsFileTest, WritesTheRecordAsItsThirtySixBytes)
{
    auto r = probe({"write", Compact(kSaved)});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(readBytes(prefsFile()),
        fromHex("00 00 00 04 00 00 00 02 01 00 01 01 00 00 00 04 01 01 00 00 01 01 00 01 00 01 00 01 01 01 "
                "00 00 00 "
                "00 00 00"));
}

// The sidecar's layout is the File Manager's (its tests pin it byte for
// byte); here only the type and creator, which follow each other in it.
TEST_F(PrefsFileTest, WrittenFileIsCreatorG3TWTypePref)
{
    ASSERT_EQ(probe({"write", Compact(kSaved)}).status, 0);
    const std::string sidecarText = testkit::readText(sidecar());
    EXPECT_NE(sidecarText.find("prefG3TW"), std::string::npos);
}

TEST_F(PrefsFileTest, WritingReplacesAnOlderFileWithoutCarryingItsLengthOrFinderInfo)
{
    // 40 bytes, type 'TEXT', creator 'ttxt', in a two-entry AppleDouble sidecar.
    writeBytes(prefsFile(), testkit::Bytes(40, 0x55));
    writeBytes(sidecar(),
        fromHex("00051607 00020000 00000000000000000000000000000000 0002"
                "00000009 00000032 00000020 00000002 00000052 00000000"
                "54455854 74747874 0000000000000000 0000000000000000 0000000000000000"));

    auto r = probe({"write", Compact(kSaved)});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(hex(readBytes(prefsFile())), Compact(kSaved));
    auto read = probe({"read"});
    EXPECT_EQ(read.out, "prefs " + Compact(kSaved) + "\n");
    EXPECT_NE(testkit::readText(sidecar()).find("prefG3TW"), std::string::npos);
}

TEST_F(PrefsFileTest, WritingLeavesNoTemporaryFileBehind)
{
    const auto before = folderEntries(folder());
    ASSERT_EQ(probe({"write", Compact(kSaved)}).status, 0);
    ASSERT_EQ(probe({"write", Compact(kSaved)}).status, 0);
    auto expected = before;
    expected.push_back("._Tarnwick X Prefs");
    expected.push_back("Tarnwick X Prefs");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderEntries(folder()), expected);
}

// A writer killed after its temporary file and before the exchange leaves
// the temporary file beside the old record: it is never read, and the next
// write replaces it.
TEST_F(PrefsFileTest, ALeftoverFromAnInterruptedWriteIsIgnoredThenReplaced)
{
    ASSERT_EQ(probe({"write", Compact(kOld)}).status, 0);
    writeBytes(folder() / "Tarnwick X Prefs.tmp", fromHex(kSaved));
    EXPECT_EQ(probe({"read"}).out, "prefs " + Compact(kOld) + "\n");
    writeBytes(folder() / "Tarnwick X Prefs.tmp", testkit::Bytes(7, 0xEE));
    auto r = probe({"write", Compact(kSaved)});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(hex(readBytes(prefsFile())), Compact(kSaved));
    EXPECT_FALSE(std::filesystem::exists(folder() / "Tarnwick X Prefs.tmp"));
}

struct RoundTrip {
    const char* name;
    std::string record;
};

class PrefsRoundTripTest : public PrefsFileTest, public ::testing::WithParamInterface<RoundTrip> { };

TEST_P(PrefsRoundTripTest, WriteThenReadGivesTheSameBytes)
{
    ASSERT_EQ(probe({"write", Compact(GetParam().record)}).status, 0);
    auto r = probe({"read"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "prefs " + Compact(GetParam().record) + "\n");
    EXPECT_EQ(hex(readBytes(prefsFile())), Compact(GetParam().record));
}

INSTANTIATE_TEST_SUITE_P(Records, PrefsRoundTripTest,
    ::testing::Values(RoundTrip {"saved", kSaved},
        // Flags other than 0 and 1 and non-zero alignment bytes stay as they were.
        RoundTrip {
            "oddBytes", "00000004 00000001 02030405 00000007 06070809 0A0B0C0D 0E0F1011 12131415 16A1B2C3"}),
    [](const auto& info) { return info.param.name; });

struct Upgrade {
    const char* name;
    std::string file;
    std::string expected; // prefs after reading
};

class PrefsUpgradeTest : public PrefsFileTest, public ::testing::WithParamInterface<Upgrade> { };

TEST_P(PrefsUpgradeTest, OlderRecordsGainTheFieldsTheirVersionLacked)
{
    writeBytes(prefsFile(), fromHex(GetParam().file));
    auto r = probe({"read"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "prefs " + Compact(GetParam().expected) + "\n");
    // The upgrade happens in memory; the file keeps its version until written.
    EXPECT_EQ(hex(readBytes(prefsFile())), Compact(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Versions, PrefsUpgradeTest,
    ::testing::Values(
        // Version 1 had no write-through: it becomes 0, never 1.
        Upgrade {"version1",
            "00000001 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000",
            "00000004 00000002 01000101 00000004 01010000 01010001 00010001 00010101 01000000"},
        Upgrade {"version2",
            "00000002 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000",
            "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01010101 01000000"},
        Upgrade {"version3",
            "00000003 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000",
            "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01000001 01000000"},
        Upgrade {"version4",
            "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000",
            "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000"},
        // A short file fills only what it holds; the rest stays as it was (zero).
        Upgrade {"shortVersion2", "00000002 00000003 01010101 00000005 01010000",
            "00000004 00000003 01010101 00000005 01010000 00000000 00000000 00010101 01000000"},
        // Only the record's 36 bytes of a longer file are read.
        Upgrade {"longVersion4",
            "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000 FFFFFFFF "
            "FFFFFFFF",
            "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000"}),
    [](const auto& info) { return info.param.name; });

struct Refused {
    const char* name;
    std::string file;
    std::string expected; // probe output
};

class PrefsRefusedTest : public PrefsFileTest, public ::testing::WithParamInterface<Refused> { };

TEST_P(PrefsRefusedTest, UnreadableRecordsRaiseAndKeepTheFile)
{
    writeBytes(prefsFile(), fromHex(GetParam().file));
    auto r = probe({"read"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, GetParam().expected);
    EXPECT_EQ(hex(readBytes(prefsFile())), Compact(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Files, PrefsRefusedTest,
    ::testing::Values(
        // The version field keeps what was read; nothing else is filled.
        Refused {"version0",
            "00000000 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000",
            kNewerVersionError + "prefs " + Compact("00000000" + std::string(64, '0')) + "\n"},
        Refused {"version5",
            "00000005 00000002 01000101 00000004 01010000 01010001 00010001 01000000 00000000",
            kNewerVersionError + "prefs " + Compact("00000005" + std::string(64, '0')) + "\n"},
        Refused {"versionFFFFFFFF", "FFFFFFFF 00000002",
            kNewerVersionError + "prefs " + Compact("FFFFFFFF" + std::string(64, '0')) + "\n"},
        Refused {"emptyFile", "",
            "error -39 message=0 Failed to read from file!\nprefs " + std::string(72, '0') + "\n"},
        Refused {"twoBytes", "0000",
            "error -39 message=0 Failed to read from file!\nprefs " + std::string(72, '0') + "\n"}),
    [](const auto& info) { return info.param.name; });

TEST_F(PrefsFileTest, AMissingStartupItemFolderRaisesTheFolderLookupError)
{
    std::filesystem::remove_all(folder());
    auto r = probe({"read"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
        "error -43 message=0 PBGetCatInfoSync() failed in PDirectoryDescriptor::subDirectory()!\nprefs "
            + std::string(72, '0') + "\n");
}

struct Defaults {
    const char* name;
    std::vector<std::string> machineState; // `macsim set` assignments
    bool extensionLoaded;
    std::string expected; // prefs after reading
};

class PrefsDefaultsTest : public PrefsFileTest, public ::testing::WithParamInterface<Defaults> { };

TEST_P(PrefsDefaultsTest, NoFileGivesTheDefaultsOfTheRunningMachine)
{
    const auto& param = GetParam();
    if (param.extensionLoaded)
        machine.loadExtension();
    machine.set(param.machineState);
    const auto before = folderEntries(folder());

    auto r = probe({"read"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "prefs " + Compact(param.expected) + "\n");
    EXPECT_EQ(folderEntries(folder()), before);
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

class PrefsWriteFailureTest : public PrefsFileTest {
protected:
    void SetUp() override
    {
        auto r = probe({"write", Compact(kOld)});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        oldSidecar = readBytes(sidecar());
        oldEntries = folderEntries(folder());
    }

    void expectOldFileIntact()
    {
        EXPECT_EQ(hex(readBytes(prefsFile())), Compact(kOld));
        EXPECT_EQ(readBytes(sidecar()), oldSidecar);
        EXPECT_EQ(folderEntries(folder()), oldEntries);
        auto read = probe({"read"});
        EXPECT_EQ(read.out, "prefs " + Compact(kOld) + "\n");
    }

    testkit::Bytes oldSidecar;
    std::vector<std::string> oldEntries;
};

// Every file the writer makes is limited to 30 bytes: the Finder info of the
// new file cannot be stored, as on a disk that runs out of space.
TEST_F(PrefsWriteFailureTest, FileSizeLimitLeavesTheOldFile)
{
    auto r = probe({"--file-size-limit", "30", "write", Compact(kSaved)});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out.rfind("error ", 0), 0u) << r.out;
    expectOldFileIntact();
}

// The startup item's folder on a tiny file system, filled up; once there is
// room again the next write goes through.
TEST_F(PrefsWriteFailureTest, FullFileSystemLeavesTheOldFile)
{
    const fs::path stash = machine.directory() / "stash";
    fs::create_directory(stash);
    for (const auto& name : oldEntries)
        fs::copy(folder() / name, stash / name, fs::copy_options::copy_symlinks);
    testkit::ScopedMount disk = testkit::ScopedMount::tmpfs(folder(), 64);
    ASSERT_TRUE(disk.ok());
    for (const auto& name : oldEntries)
        fs::copy(stash / name, folder() / name, fs::copy_options::copy_symlinks);
    testkit::fillFileSystem(folder());
    oldEntries = folderEntries(folder());

    auto r = probe({"write", Compact(kSaved)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("error -34 ", 0), 0u) << r.out;
    expectOldFileIntact();

    fs::remove(folder() / "filler");
    EXPECT_EQ(probe({"write", Compact(kSaved)}).status, 0);
    EXPECT_EQ(hex(readBytes(prefsFile())), Compact(kSaved));
}

// Writing is refused (afpAccessDenied). The machine still boots with the
// extension loaded, but the startup item cannot keep the file that guards
// its writes there, so it applies nothing.
TEST_F(PrefsWriteFailureTest, ReadOnlyFolderRefusesTheWriteAndStillBoots)
{
    testkit::ScopedMount readOnly = testkit::ScopedMount::readOnly(folder());
    ASSERT_TRUE(readOnly.ok());
    auto r = probe({"write", Compact(kSaved)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("error -5000 ", 0), 0u) << r.out;
    expectOldFileIntact();

    testkit::ProcessResult boot = testkit::run("macsim", {"boot"});
    EXPECT_EQ(boot.status, 0);
    EXPECT_NE(boot.err.find("could not be written (error -5000)\n"), std::string::npos) << boot.err;
    EXPECT_EQ(machine.get("kext-loaded"), 1u);
    EXPECT_EQ(machine.get("l2cr"), machine.get("rom-l2cr"));
}

TEST_F(PrefsWriteFailureTest, AFolderInThePlaceOfTheFileIsRefusedAndNothingIsLeftBehind)
{
    fs::remove(prefsFile());
    fs::create_directory(prefsFile());
    const auto before = folderEntries(folder());
    auto r = probe({"write", Compact(kSaved)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "error -1302 message=0 Error exchanging files!");
    EXPECT_EQ(folderEntries(folder()), before);
    EXPECT_TRUE(fs::is_directory(prefsFile()));
}

} // namespace
