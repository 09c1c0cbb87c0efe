// Start-up that cannot go on: the error is shown in a stop alert, the
// program ends with status 1, and the preferences file is left as it was.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace apptest {
namespace {

TEST(StartupFailure, NewerPreferencesAreRefusedAndKept)
{
    for (const uint8_t version : {0x05, 0x00}) {
        testkit::ScopedMachine machine;
        machine.loadExtension();
        const std::vector<uint8_t> newer = {0x00, 0x00, 0x00, version, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01,
            0x01, 0x01, 0x00, 0x00, 0x00, 0x04, 0x01, 0x01, 0x00, 0x01, 0x00, 0x01, 0x01, 0x01, 0x00, 0x01,
            0x00, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x42};
        writeBytes(machine.prefsFile(), newer);

        const AppRun run = runTarnwick("click-title OK\n");
        EXPECT_EQ(run.status, 1) << run.err;
        ASSERT_EQ(run.dialogs().size(), 2u) << run.err;
        EXPECT_EQ(run.dialogs()[0],
            "alert 10002: Your G3 Lumbrisk preferences are from a newer version of G3 Lumbrisk.  Please "
            "trash them or "
            "use the newer version. |  |  | ");
        EXPECT_EQ(run.dialogs()[1], "alert 10002 -> 1");
        EXPECT_EQ(readBytes(machine.prefsFile()), newer) << "version " << int(version);
    }
}

TEST(StartupFailure, TheClassicEnvironmentIsRefused)
{
    testkit::ScopedMachine machine;
    machine.set({"classic=1"});
    machine.loadExtension();
    const AppRun run = runTarnwick("click-title OK\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_FALSE(run.dialogs().empty()) << run.err;
    EXPECT_EQ(
        run.dialogs()[0], "alert 10002: Tarnwick X cannot run in the MacOS X Classic environment. |  |  | ");
    EXPECT_FALSE(std::filesystem::exists(machine.prefsFile()));
}

TEST(StartupFailure, AMissingStartupItemFolderIsReportedWithItsError)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    std::filesystem::remove_all(machine.prefsFile().parent_path());
    const AppRun run = runTarnwick("click-title OK\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_FALSE(run.dialogs().empty()) << run.err;
    const std::string alert = run.dialogs()[0];
    EXPECT_EQ(
        alert.rfind(
            "alert 10001: PBGetCatInfoSync() failed in PDirectoryDescriptor::subDirectory()! | PFiles | ", 0),
        0u)
        << alert;
    EXPECT_EQ(alert.substr(alert.size() - 5), "| -43") << alert;
}

// A resource file that cannot be used ends the program before any window,
// with one line naming the file and the error.
struct BrokenResources {
    const char* name;
    std::string (*make)(const fs::path& scratch); // the path handed to the program
    int error;
};

fs::path installedResources()
{
    return testkit::binDirectory() / ".." / "share" / "korvendale" / "Tarnwick X.rsrc";
}

std::string missingFile(const fs::path& scratch)
{
    return (scratch / "no such file.rsrc").string();
}

std::string emptyFile(const fs::path& scratch)
{
    writeBytes(scratch / "empty.rsrc", {});
    return (scratch / "empty.rsrc").string();
}

std::string garbageFile(const fs::path& scratch)
{
    writeBytes(scratch / "garbage.rsrc", testkit::Bytes(300, 0xA5));
    return (scratch / "garbage.rsrc").string();
}

std::string truncatedCopy(const fs::path& scratch)
{
    testkit::Bytes bytes = readBytes(installedResources());
    bytes.resize(bytes.size() / 2);
    writeBytes(scratch / "truncated.rsrc", bytes);
    return (scratch / "truncated.rsrc").string();
}

std::string aFolder(const fs::path& scratch)
{
    fs::create_directories(scratch / "folder.rsrc");
    return (scratch / "folder.rsrc").string();
}

class BrokenResourceFile : public testing::TestWithParam<BrokenResources> { };

TEST_P(BrokenResourceFile, OneLineOnStderrAndStatus1)
{
    testkit::ScopedMachine machine;
    const std::string path = GetParam().make(machine.directory());
    const AppRun run = runTarnwick("", {{"TARNWICK_RESOURCES", path}});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
        "tarnwick-x: cannot open the resource file \"" + path + "\" (error "
            + std::to_string(GetParam().error) + ")\n");
    EXPECT_FALSE(fs::exists(machine.prefsFile()));
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenResourceFile,
    testing::Values(BrokenResources {"Missing", missingFile, -43}, BrokenResources {"Empty", emptyFile, -39},
        BrokenResources {"Garbage", garbageFile, -199}, BrokenResources {"Truncated", truncatedCopy, -199},
        BrokenResources {"Folder", aFolder, -1302}),
    [](const auto& info) { return std::string(info.param.name); });

// Root reads any file, so the unreadable file is tried as an ordinary user.
TEST(StartupFailure, AnUnreadableResourceFileIsRefusedWithAccessDenied)
{
    testkit::ScopedMachine machine;
    machine.openForReading();
    testkit::TempDir scratch;
    const fs::path copy = scratch.path() / "unreadable.rsrc";
    fs::copy_file(installedResources(), copy);
    fs::permissions(copy, fs::perms::none);
    fs::permissions(scratch.path(), fs::perms::all);
    const auto r = testkit::runAsNobody(
        "tarnwick-x", {}, {{"TARNWICK_RESOURCES", copy.string()}, {"MACSIM_DISPLAY", "headless"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarnwick-x: cannot open the resource file \"" + copy.string() + "\" (error -5000)\n");
}

} // namespace
} // namespace apptest
