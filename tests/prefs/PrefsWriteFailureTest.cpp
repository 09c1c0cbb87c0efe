// A write that fails for real must leave the previous preferences file as it
// was: the same record, the same Finder info, and no half-written file beside it.
#include "PrefsTestSupport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace prefstest {
namespace {

const std::string kOld = "00000004 00000000 01010101 00000006 01010001 00010101 00010001 01010101 01000000";
const std::string kNew = "00000004 00000002 01000101 00000004 01010000 01010001 00010001 01010000 00000000";

class PrefsWriteFailureTest : public PrefsMachineTest {
protected:
    void SetUp() override
    {
        auto r = probe({"write", Compact(kOld)});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        oldSidecar = ReadFileBytes(sidecar());
        oldEntries = FolderEntries(folder());
    }

    void expectOldFileIntact()
    {
        EXPECT_EQ(ToHex(ReadFileBytes(prefsFile())), Compact(kOld));
        EXPECT_EQ(ReadFileBytes(sidecar()), oldSidecar);
        EXPECT_EQ(FolderEntries(folder()), oldEntries);
    }

    Bytes oldSidecar;
    std::vector<std::string> oldEntries;
};

// Every file the writer makes is limited to 30 bytes: the Finder info of the
// new file cannot be stored, as on a disk that runs out of space.
TEST_F(PrefsWriteFailureTest, FileSizeLimitLeavesTheOldFile)
{
    auto r = probe({"--file-size-limit", "30", "write", Compact(kNew)});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out.rfind("error ", 0), 0u) << r.out;
    expectOldFileIntact();
}

// The startup item's folder on a tiny file system that is full. Needs a
// private mount namespace (root or CAP_SYS_ADMIN); skipped without one.
TEST_F(PrefsWriteFailureTest, FullFileSystemLeavesTheOldFile)
{
    const std::filesystem::path report = machine.directory() / "full-disk-report";
    const std::filesystem::path stash = machine.directory() / "stash";
    std::filesystem::create_directory(stash);
    for (const auto& name : oldEntries)
        std::filesystem::copy(folder() / name, stash / name, std::filesystem::copy_options::copy_symlinks);

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // In the child only: the mount disappears with its namespace.
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", folder().c_str(), "tmpfs", 0, "size=16k") != 0)
            _exit(77);
        for (const auto& name : oldEntries)
            std::filesystem::copy(
                stash / name, folder() / name, std::filesystem::copy_options::copy_symlinks);
        int filler = open((folder() / "filler").c_str(), O_WRONLY | O_CREAT, 0644);
        char page[4096] = {};
        while (write(filler, page, sizeof page) > 0) { }
        close(filler);

        auto r = probe({"write", Compact(kNew)});
        std::ofstream out(report);
        out << r.status << "\n"
            << r.out << "--\n"
            << ToHex(ReadFileBytes(prefsFile())) << "\n"
            << ToHex(ReadFileBytes(sidecar())) << "\n";
        std::filesystem::remove(folder() / "filler");
        for (const auto& name : FolderEntries(folder()))
            out << name << "\n";
        out.close();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "cannot mount a small file system here (needs a private mount namespace)";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::ifstream in(report);
    std::string line, probeOut;
    std::getline(in, line);
    EXPECT_EQ(line, "1");
    while (std::getline(in, line) && line != "--")
        probeOut += line + "\n";
    EXPECT_EQ(probeOut.rfind("error ", 0), 0u) << probeOut;
    std::getline(in, line);
    EXPECT_EQ(line, Compact(kOld));
    std::getline(in, line);
    EXPECT_EQ(line, ToHex(oldSidecar));
    std::vector<std::string> entries;
    while (std::getline(in, line))
        entries.push_back(line);
    EXPECT_EQ(entries, oldEntries);
}

} // namespace
} // namespace prefstest
