// Tarnwick X under real faults: its resource file missing or damaged, the
// kernel extension unloaded under it, and a quit that cannot save.
#include "FaultKit.h"

#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

fs::path application()
{
    return testkit::binDirectory() / "tarnwick-x";
}

fs::path installedResources()
{
    return testkit::binDirectory() / ".." / "share" / "korvendale" / "Tarnwick X.rsrc";
}

class AppFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(application()))
            GTEST_SKIP() << "tarnwick-x is not built";
        scratch = machine.directory().parent_path() / "scratch";
        fs::create_directories(scratch);
    }
    fs::path prefsFile() const
    {
        return machine.disk() / "System/Library/StartupItems/Korvendale Startup/Tarnwick X Prefs";
    }
    fs::path writeScript(const std::string& text)
    {
        fs::path path = scratch / "script";
        std::ofstream(path) << text;
        return path;
    }

    testkit::ScopedMachine machine;
    fs::path scratch;
};

struct BrokenResources {
    const char* name;
    std::string (*make)(const fs::path& scratch); // the path handed to the app
    int error;
};

// Names the case in test listings instead of its bytes.
void PrintTo(const BrokenResources& broken, std::ostream* out)
{
    *out << broken.name;
}

std::string missingFile(const fs::path& scratch)
{
    return (scratch / "no such file.rsrc").string();
}

std::string emptyFile(const fs::path& scratch)
{
    std::ofstream(scratch / "empty.rsrc");
    return (scratch / "empty.rsrc").string();
}

std::string garbageFile(const fs::path& scratch)
{
    std::ofstream(scratch / "garbage.rsrc") << std::string(300, '\xA5');
    return (scratch / "garbage.rsrc").string();
}

std::string truncatedCopy(const fs::path& scratch)
{
    std::vector<unsigned char> bytes = faults::fileBytes(installedResources());
    bytes.resize(bytes.size() / 2);
    std::ofstream(scratch / "truncated.rsrc", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return (scratch / "truncated.rsrc").string();
}

std::string aFolder(const fs::path& scratch)
{
    fs::create_directories(scratch / "folder.rsrc");
    return (scratch / "folder.rsrc").string();
}

class BrokenResourceFile : public AppFaults, public ::testing::WithParamInterface<BrokenResources> { };

TEST_P(BrokenResourceFile, OneLineOnStderrAndStatus1)
{
    const std::string path = GetParam().make(scratch);
    testkit::ProcessResult r = testkit::run(
        application().string(), {}, {{"TARNWICK_RESOURCES", path}, {"MACSIM_DISPLAY", "headless"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
        "tarnwick-x: cannot open the resource file \"" + path + "\" (error "
            + std::to_string(GetParam().error) + ")\n");
    EXPECT_FALSE(fs::exists(prefsFile()));
}

INSTANTIATE_TEST_SUITE_P(Faults, BrokenResourceFile,
    ::testing::Values(BrokenResources {"Missing", missingFile, -43},
        BrokenResources {"Empty", emptyFile, -39}, BrokenResources {"Garbage", garbageFile, -199},
        BrokenResources {"Truncated", truncatedCopy, -199}, BrokenResources {"Folder", aFolder, -1302}),
    [](const auto& info) { return std::string(info.param.name); });

// Root reads any file, so the unreadable file is tried as an ordinary user.
TEST_F(AppFaults, UnreadableResourceFileForAnOrdinaryUser)
{
    if (geteuid() != 0 || !fs::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "needs root and setpriv to run the application as another user";
    fs::path copy = scratch / "unreadable.rsrc";
    fs::copy_file(installedResources(), copy);
    fs::permissions(copy, fs::perms::none);
    fs::permissions(scratch.parent_path(), fs::perms::all);
    fs::permissions(scratch, fs::perms::all);
    testkit::ProcessResult r = testkit::run("/usr/bin/setpriv",
        {"--reuid=65534", "--regid=65534", "--clear-groups", application().string()},
        {{"TARNWICK_RESOURCES", copy.string()}, {"MACSIM_DISPLAY", "headless"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarnwick-x: cannot open the resource file \"" + copy.string() + "\" (error -5000)\n");
}

// The extension goes away after the window is up: the Tarnwick tab then shows
// what the failed reads give (its Current L2CR row differs from a run that
// keeps the extension) and the program carries on to a normal quit.
TEST_F(AppFaults, ExtensionUnloadedWhileRunning)
{
    machine.loadExtension();
    auto session = [&](const std::string& name, bool unload) {
        fs::path ready = scratch / (name + ".ready");
        fs::path shot = scratch / (name + ".png");
        fs::path script
            = writeScript("wait 120\nclick-title Tarnwick\nsnapshot " + shot.string() + "\nquit\n");
        faults::Child app(application().string(), {},
            {{"MACSIM_DISPLAY", "window"}, {"SDL_VIDEODRIVER", "dummy"}, {"MACSIM_SCRIPT", script.string()},
                {"MACSIM_READY", ready.string()}});
        EXPECT_TRUE(faults::waitForFile(ready, 60));
        if (unload)
            machine.unloadExtension();
        EXPECT_EQ(app.wait(), 0);
        return faults::fileBytes(shot);
    };
    const std::vector<unsigned char> loaded = session("loaded", false);
    const std::vector<unsigned char> unloaded = session("unloaded", true);
    EXPECT_FALSE(loaded.empty());
    EXPECT_FALSE(unloaded.empty());
    EXPECT_NE(loaded, unloaded);
    EXPECT_EQ(faults::fileBytes(prefsFile()).size(), 36u);
}

// A quit whose preferences cannot be written says so and keeps the old file.
TEST_F(AppFaults, QuitOnAFullDiskKeepsTheOldPreferences)
{
    fs::path folder = prefsFile().parent_path();
    faults::ScopedMount disk = faults::ScopedMount::tmpfs(folder, 64);
    if (!disk.ok())
        GTEST_SKIP() << disk.why();
    machine.loadExtension();
    fs::path script = writeScript("quit\n");
    std::map<std::string, std::string> env {
        {"MACSIM_DISPLAY", "headless"}, {"MACSIM_SCRIPT", script.string()}, {"MACSIM_LOG_DIALOGS", "1"}};
    ASSERT_EQ(testkit::run(application().string(), {}, env).status, 0);
    const std::vector<unsigned char> saved = faults::fileBytes(prefsFile());
    ASSERT_EQ(saved.size(), 36u);

    faults::fillFileSystem(folder);
    env["MACSIM_SCRIPT"] = writeScript("quit\nkey return\n").string(); // the alert's OK
    testkit::ProcessResult r = testkit::run(application().string(), {}, env);
    EXPECT_EQ(r.status, 1);
    const std::string shown = r.out + r.err;
    EXPECT_EQ(shown.rfind("alert 10001: Error creating file! | PFiles | ", 0), 0u) << shown;
    EXPECT_NE(shown.find(" | -34\n"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("still waits"), std::string::npos) << shown;
    EXPECT_EQ(faults::fileBytes(prefsFile()), saved);
}

} // namespace

namespace {

// A startup item folder the user may not write to, as the probe at launch
// finds: the save that would be refused is skipped, the quit is quiet, and
// the file stays as it was.
TEST_F(AppFaults, QuitWithAReadOnlyFolderSkipsTheSave)
{
    machine.loadExtension();
    std::map<std::string, std::string> env {{"MACSIM_DISPLAY", "headless"},
        {"MACSIM_SCRIPT", writeScript("quit\n").string()}, {"MACSIM_LOG_DIALOGS", "1"}};
    ASSERT_EQ(testkit::run(application().string(), {}, env).status, 0);
    const std::vector<unsigned char> saved = faults::fileBytes(prefsFile());

    faults::ScopedMount readOnly = faults::ScopedMount::readOnly(prefsFile().parent_path());
    if (!readOnly.ok())
        GTEST_SKIP() << readOnly.why();
    env["MACSIM_SCRIPT"] = writeScript("quit\n").string();
    testkit::ProcessResult r = testkit::run(application().string(), {}, env);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ((r.out + r.err).find("alert"), std::string::npos) << r.out << r.err;
    EXPECT_EQ(faults::fileBytes(prefsFile()), saved);
}

} // namespace
