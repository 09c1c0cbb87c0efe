// The preferences file under real faults: a full file system, a read-only
// startup item folder, and the writer killed at any moment. Afterwards the
// file holds the old record or the new one, whole, and reads back.
#include "FaultKit.h"

#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

namespace fs = std::filesystem;
using faults::fileBytes;
using faults::hex;

// Records A and B of faults-prefs-writer, as the 36 bytes of the file.
constexpr const char* kRecordA = "000000040000000101010101000000040101010101010101010101010101010101000000";
constexpr const char* kRecordB = "000000040000000200000000000000070000000000000000000000000000000000000000";

class PrefsFaults : public ::testing::Test {
protected:
    fs::path folder() const { return machine.disk() / "System/Library/StartupItems/Korvendale Startup"; }
    fs::path prefsFile() const { return folder() / "Tarnwick X Prefs"; }
    testkit::ProcessResult writer(const std::vector<std::string>& args)
    {
        return testkit::run("faults-prefs-writer", args);
    }
    std::string fileHex() const { return hex(fileBytes(prefsFile())); }

    testkit::ScopedMachine machine;
};

TEST_F(PrefsFaults, FullFileSystemKeepsTheOldRecord)
{
    faults::ScopedMount disk = faults::ScopedMount::tmpfs(folder(), 64);
    if (!disk.ok())
        GTEST_SKIP() << disk.why();
    ASSERT_EQ(writer({"write", "A"}).status, 0);
    faults::fillFileSystem(folder());

    testkit::ProcessResult full = writer({"write", "B"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err.rfind("error -34: ", 0), 0u) << full.err;
    EXPECT_EQ(fileHex(), kRecordA);
    EXPECT_FALSE(fs::exists(folder() / "Tarnwick X Prefs.tmp"));
    testkit::ProcessResult read = writer({"read"});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, std::string(kRecordA) + "\n");

    // Room again: the next write goes through.
    fs::remove(folder() / "filler");
    EXPECT_EQ(writer({"write", "B"}).status, 0);
    EXPECT_EQ(fileHex(), kRecordB);
}

TEST_F(PrefsFaults, ReadOnlyFolderRefusesTheWriteAndStillBoots)
{
    ASSERT_EQ(writer({"write", "A"}).status, 0);
    faults::ScopedMount readOnly = faults::ScopedMount::readOnly(folder());
    if (!readOnly.ok())
        GTEST_SKIP() << readOnly.why();

    testkit::ProcessResult denied = writer({"write", "B"});
    EXPECT_EQ(denied.status, 1);
    EXPECT_EQ(denied.err.rfind("error -5000: ", 0), 0u) << denied.err;
    EXPECT_EQ(fileHex(), kRecordA);

    // The startup item only reads the file: a read-only folder is no obstacle.
    testkit::ProcessResult boot = testkit::run("macsim", {"boot"});
    EXPECT_EQ(boot.status, 0);
    EXPECT_EQ(boot.err, "");
    EXPECT_EQ(machine.get("l2cr") & 0x8E080000u, 0x88080000u); // enabled, 2:1, write-through
    EXPECT_EQ(fileHex(), kRecordA);
}

TEST_F(PrefsFaults, KilledWriterLeavesOneWholeRecord)
{
    ASSERT_EQ(writer({"write", "A"}).status, 0);
    int caughtMidway = 0;
    for (int round = 0; round < 24; ++round) {
        faults::Child loop("faults-prefs-writer", {"loop"});
        std::this_thread::sleep_for(std::chrono::microseconds(500 + 1700 * round));
        EXPECT_EQ(loop.kill(), 128 + 9);

        const std::string now = fileHex();
        EXPECT_TRUE(now == kRecordA || now == kRecordB) << "round " << round << ": " << now;
        if (fs::exists(folder() / "Tarnwick X Prefs.tmp"))
            ++caughtMidway;
        testkit::ProcessResult read = writer({"read"});
        EXPECT_EQ(read.status, 0) << read.err;
        EXPECT_EQ(read.out, now + "\n");
    }
    RecordProperty("killed_between_temporary_and_exchange", caughtMidway);
    // A leftover temporary file is cleared by the next write.
    EXPECT_EQ(writer({"write", "B"}).status, 0);
    EXPECT_EQ(fileHex(), kRecordB);
    EXPECT_FALSE(fs::exists(folder() / "Tarnwick X Prefs.tmp"));
}

} // namespace
