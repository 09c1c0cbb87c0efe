// Reading and writing "Tarnwick X Prefs" on a simulated disk, checked on the
// file's bytes and on what a program finds in `prefs` afterwards.
#include "PrefsTestSupport.h"

namespace prefstest {
namespace {

// A saved record: tab 2, ratio choice 4 (2:1), cache on at boot, speculative
// access off, DPM off, write-through on.
const std::string kSaved = "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01010000 00000000";

const std::string kNewerVersionError
    = "error 0 message=1 Your G3 Lumbrisk preferences are from a newer version of G3 Lumbrisk.  Please trash "
      "them or use the newer version.\n";

using PrefsFileTest = PrefsMachineTest;

TEST_F(PrefsFileTest, WritesTheRecordAsItsThirtySixBytes)
{
    auto r = probe({"write", Compact(kSaved)});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(ReadFileBytes(prefsFile()),
        FromHex("00 00 00 04 00 00 00 02 01 00 01 01 00 00 00 04 01 01 00 00 01 01 00 01 00 01 00 01 01 01 "
                "00 00 00 "
                "00 00 00"));
}

TEST_F(PrefsFileTest, WrittenFileIsCreatorG3TWTypePref)
{
    ASSERT_EQ(probe({"write", Compact(kSaved)}).status, 0);
    const Bytes sidecarBytes = ReadFileBytes(sidecar());
    ASSERT_GE(sidecarBytes.size(), 26u);
    EXPECT_EQ(ToHex(Bytes(sidecarBytes.begin(), sidecarBytes.begin() + 8)), "0005160700020000");

    // Find the Finder info entry (ID 9): type comes first, then creator.
    const unsigned count = unsigned(sidecarBytes[24]) << 8 | sidecarBytes[25];
    auto word = [&](size_t at) {
        return unsigned(sidecarBytes[at]) << 24 | unsigned(sidecarBytes[at + 1]) << 16
            | unsigned(sidecarBytes[at + 2]) << 8 | sidecarBytes[at + 3];
    };
    bool found = false;
    for (unsigned i = 0; i < count && 26 + 12 * (i + 1) <= sidecarBytes.size(); ++i) {
        if (word(26 + 12 * i) != 9)
            continue;
        const size_t offset = word(26 + 12 * i + 4);
        ASSERT_GE(word(26 + 12 * i + 8), 32u);
        ASSERT_LE(offset + 8, sidecarBytes.size());
        EXPECT_EQ(std::string(sidecarBytes.begin() + long(offset), sidecarBytes.begin() + long(offset) + 8),
            "prefG3TW");
        found = true;
    }
    EXPECT_TRUE(found) << "no Finder info entry in the sidecar";
}

TEST_F(PrefsFileTest, WritingReplacesAnOlderFileWithoutCarryingItsLengthOrFinderInfo)
{
    // 40 bytes, type 'TEXT', creator 'ttxt', in a two-entry AppleDouble sidecar.
    WriteFileBytes(prefsFile(), Bytes(40, 0x55));
    WriteFileBytes(sidecar(),
        FromHex("00051607 00020000 00000000000000000000000000000000 0002"
                "00000009 00000032 00000020 00000002 00000052 00000000"
                "54455854 74747874 0000000000000000 0000000000000000 0000000000000000"));

    auto r = probe({"write", Compact(kSaved)});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(ToHex(ReadFileBytes(prefsFile())), Compact(kSaved));
    auto read = probe({"read"});
    EXPECT_EQ(read.out, "prefs " + Compact(kSaved) + "\n");
    const Bytes sidecarBytes = ReadFileBytes(sidecar());
    EXPECT_NE(std::search(
                  sidecarBytes.begin(), sidecarBytes.end(), std::begin("prefG3TW"), std::end("prefG3TW") - 1),
        sidecarBytes.end());
}

TEST_F(PrefsFileTest, WritingLeavesNoTemporaryFileBehind)
{
    const auto before = FolderEntries(folder());
    ASSERT_EQ(probe({"write", Compact(kSaved)}).status, 0);
    ASSERT_EQ(probe({"write", Compact(kSaved)}).status, 0);
    auto expected = before;
    expected.push_back("._Tarnwick X Prefs");
    expected.push_back("Tarnwick X Prefs");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(folder()), expected);
}

TEST_F(PrefsFileTest, ALeftoverFromAnInterruptedWriteIsReplaced)
{
    WriteFileBytes(folder() / "Tarnwick X Prefs.tmp", Bytes(7, 0xEE));
    auto r = probe({"write", Compact(kSaved)});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(ToHex(ReadFileBytes(prefsFile())), Compact(kSaved));
    EXPECT_FALSE(std::filesystem::exists(folder() / "Tarnwick X Prefs.tmp"));
}

TEST_F(PrefsFileTest, AFolderInThePlaceOfTheFileIsRefusedAndNothingIsLeftBehind)
{
    std::filesystem::create_directory(prefsFile());
    const auto before = FolderEntries(folder());
    auto r = probe({"write", Compact(kSaved)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "error -1302 message=0 Error exchanging files!");
    EXPECT_EQ(FolderEntries(folder()), before);
    EXPECT_TRUE(std::filesystem::is_directory(prefsFile()));
}

struct RoundTrip {
    const char* name;
    std::string record;
};

class PrefsRoundTripTest : public PrefsMachineTest, public ::testing::WithParamInterface<RoundTrip> { };

TEST_P(PrefsRoundTripTest, WriteThenReadGivesTheSameBytes)
{
    ASSERT_EQ(probe({"write", Compact(GetParam().record)}).status, 0);
    auto r = probe({"read"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "prefs " + Compact(GetParam().record) + "\n");
    EXPECT_EQ(ToHex(ReadFileBytes(prefsFile())), Compact(GetParam().record));
}

INSTANTIATE_TEST_SUITE_P(Records, PrefsRoundTripTest,
    ::testing::Values(RoundTrip {"saved", kSaved},
        RoundTrip {
            "allClear", "00000004 00000000 00000000 00000001 00000000 00000000 00000000 00000000 00000000"},
        RoundTrip {
            "allSet", "00000004 FFFFFFFF 01010101 00000008 01010101 01010101 01010101 01010101 01000000"},
        // Flags other than 0 and 1 and non-zero alignment bytes stay as they were.
        RoundTrip {
            "oddBytes", "00000004 00000001 02030405 00000007 06070809 0A0B0C0D 0E0F1011 12131415 16A1B2C3"}),
    [](const auto& info) { return info.param.name; });

struct Upgrade {
    const char* name;
    std::string file;
    std::string expected; // prefs after reading
};

class PrefsUpgradeTest : public PrefsMachineTest, public ::testing::WithParamInterface<Upgrade> { };

TEST_P(PrefsUpgradeTest, OlderRecordsGainTheFieldsTheirVersionLacked)
{
    WriteFileBytes(prefsFile(), FromHex(GetParam().file));
    auto r = probe({"read"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "prefs " + Compact(GetParam().expected) + "\n");
    // The upgrade happens in memory; the file keeps its version until written.
    EXPECT_EQ(ToHex(ReadFileBytes(prefsFile())), Compact(GetParam().file));
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

class PrefsRefusedTest : public PrefsMachineTest, public ::testing::WithParamInterface<Refused> { };

TEST_P(PrefsRefusedTest, UnreadableRecordsRaiseAndKeepTheFile)
{
    WriteFileBytes(prefsFile(), FromHex(GetParam().file));
    auto r = probe({"read"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, GetParam().expected);
    EXPECT_EQ(ToHex(ReadFileBytes(prefsFile())), Compact(GetParam().file));
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

} // namespace
} // namespace prefstest
