// myFolder as the control application builds it: three folders above the
// program's own, and an orderly outcome when that walk fails before main.
#include "testkit/Files.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace testkit;

namespace {

TEST(MyFolder, ApplicationWalksThreeLevelsUpOrLeavesItUnresolved)
{
    TempDisk disk;
    const fs::path inBundle = disk.disk() / "Applications/Tarnwick X.app/Contents/MacOS/Tarnwick X";
    // From /tmp the walk passes / and then finds no folder above the root's parent.
    const fs::path inTmp = "/tmp/korv-myfolder-probe-" + std::to_string(::getpid());
    const struct {
        fs::path link;
        const char* out;
    } kCases[] = {
        {inBundle, "myFolder good 1 name Applications; systemFolder good 1\n"},
        {inTmp, "myFolder good 0 name -; systemFolder good 1\n"},
    };
    for (const auto& c : kCases) {
        fs::create_directories(c.link.parent_path());
        fs::remove(c.link);
        fs::create_symlink(binDirectory() / "files_myfolder_probe", c.link);
        const auto result = run(c.link.string(), {}, {{"MACSIM_MACHINE", disk.machine()}});
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(fs::is_directory(disk.disk() / "System")) << "the standard folders are made at start";
    }
    fs::remove(inTmp);
}

} // namespace
