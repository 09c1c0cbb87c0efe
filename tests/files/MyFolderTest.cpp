// myFolder as the control application builds it: three folders above the
// program's own, and an orderly outcome when that walk fails before main.
#include "testkit/Files.h"
#include "testkit/PString.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <testkit/Process.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace testkit;

namespace {

TEST(MyFolder, ApplicationWalksThreeLevelsUp)
{
    TempDisk disk;
    const fs::path macOS = disk.disk() / "Applications/Tarnwick X.app/Contents/MacOS";
    fs::create_directories(macOS);
    fs::create_symlink(testkit::binDirectory() / "files_myfolder_probe", macOS / "Tarnwick X");
    const auto result
        = testkit::run((macOS / "Tarnwick X").string(), {}, {{"MACSIM_MACHINE", disk.machine()}});
    EXPECT_EQ(result.out, "myFolder good 1 name Applications; systemFolder good 1\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(fs::is_directory(disk.disk() / "System")) << "the standard folders are made at start";
}

TEST(MyFolder, FailedWalkLeavesItUnresolved)
{
    TempDisk disk;
    // From /tmp the walk passes / and then finds no folder above the root's parent.
    const fs::path link = "/tmp/korv-myfolder-probe-" + std::to_string(::getpid());
    fs::remove(link);
    fs::create_symlink(testkit::binDirectory() / "files_myfolder_probe", link);
    const auto result = testkit::run(link.string(), {}, {{"MACSIM_MACHINE", disk.machine()}});
    fs::remove(link);
    EXPECT_EQ(result.out, "myFolder good 0 name -; systemFolder good 1\n");
    EXPECT_EQ(result.status, 0);
}

} // namespace
