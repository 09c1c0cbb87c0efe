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
        writeFile(prefsPath(machine), newer);

        const AppRun run = runTarnwick("click-title OK\n");
        EXPECT_EQ(run.status, 1) << run.err;
        ASSERT_EQ(run.dialogs().size(), 2u) << run.err;
        EXPECT_EQ(run.dialogs()[0],
            "alert 10002: Your G3 Lumbrisk preferences are from a newer version of G3 Lumbrisk.  Please "
            "trash them or "
            "use the newer version. |  |  | ");
        EXPECT_EQ(run.dialogs()[1], "alert 10002 -> 1");
        EXPECT_EQ(readFile(prefsPath(machine)), newer) << "version " << int(version);
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
    EXPECT_FALSE(std::filesystem::exists(prefsPath(machine)));
}

TEST(StartupFailure, AMissingStartupItemFolderIsReportedWithItsError)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    std::filesystem::remove_all(prefsPath(machine).parent_path());
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

TEST(StartupFailure, AMissingResourceFileIsOneLineAndStatus1)
{
    testkit::ScopedMachine machine;
    const AppRun run = runTarnwick("", {{"TARNWICK_RESOURCES", "/nonexistent/Tarnwick X.rsrc"}});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.err, "tarnwick-x: cannot open the resource file \"/nonexistent/Tarnwick X.rsrc\" (error -43)\n");
}

TEST(StartupFailure, ADamagedResourceFileIsOneLineAndStatus1)
{
    testkit::ScopedMachine machine;
    const auto damaged = machine.directory() / "damaged.rsrc";
    writeFile(damaged, std::vector<uint8_t>(300, 0xFF));
    const AppRun run = runTarnwick("", {{"TARNWICK_RESOURCES", damaged.string()}});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.err, "tarnwick-x: cannot open the resource file \"" + damaged.string() + "\" (error -199)\n");
}

} // namespace
} // namespace apptest
