// The .deb end to end: what it holds, how it enables the boot-time unit, and
// that its programs run from the unpacked root, finding their helpers and
// data relative to themselves.
#include "InstalledTree.h"

#include "testkit/Process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using package::installedTree;

std::string readText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Package : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!installedTree().problem.empty())
            FAIL() << installedTree().problem;
    }
    const package::InstalledTree& tree = installedTree();
};

class PackageFile : public Package, public ::testing::WithParamInterface<const char*> { };

TEST_P(PackageFile, IsInstalledUnderThePrefix)
{
    fs::path path = tree.prefix() / GetParam();
    EXPECT_TRUE(fs::exists(fs::symlink_status(path))) << path;
}

INSTANTIATE_TEST_SUITE_P(Installed, PackageFile,
    ::testing::Values("bin/macsim", "bin/tarnwick-x", "sbin/korvendalecache", "libexec/korvendale/kextload",
        "libexec/korvendale/Korvendale Startup", "share/korvendale/Tarnwick X.rsrc",
        "share/korvendale/System", "lib/systemd/system/korvendale-startup.service",
        "share/man/man8/korvendalecache.8.gz", "share/man/man1/macsim.1.gz",
        "share/applications/tarnwick-x.desktop", "share/icons/hicolor/16x16/apps/tarnwick-x.png",
        "share/icons/hicolor/48x48/apps/tarnwick-x.png", "share/icons/hicolor/256x256/apps/tarnwick-x.png",
        "share/doc/korvendale/copyright", "share/doc/korvendale/changelog.gz",
        "share/doc/korvendale/README.md"));

TEST_F(Package, ControlFieldsAndMaintainerScripts)
{
    std::string control = readText(tree.control / "control");
    EXPECT_NE(control.find("Package: korvendale\n"), std::string::npos) << control;
    EXPECT_NE(control.find("Section: admin\n"), std::string::npos) << control;
    EXPECT_NE(control.find("Description: backside L2 cache settings for PowerPC G3 and G4 Macintoshes\n"),
        std::string::npos)
        << control;
    for (const char* dependency : {"init-system-helpers", "libsdl2", "libc6"})
        EXPECT_NE(control.find(dependency), std::string::npos) << dependency << " missing in\n" << control;

    for (const char* script : {"postinst", "prerm", "postrm"}) {
        struct stat info { };
        ASSERT_EQ(stat((tree.control / script).c_str(), &info), 0) << script;
        EXPECT_EQ(info.st_mode & 07777, 0755u) << script;
        EXPECT_EQ(testkit::run("/bin/sh", {"-n", (tree.control / script).string()}).status, 0) << script;
    }
    std::string postinst = readText(tree.control / "postinst");
    EXPECT_NE(postinst.find("deb-systemd-helper enable \"$unit\""), std::string::npos);
    EXPECT_NE(
        readText(tree.control / "postrm").find("deb-systemd-helper purge \"$unit\""), std::string::npos);
}

TEST_F(Package, UnitRunsTheInstalledStartupProgramOnceAtBoot)
{
    std::string unit = readText(tree.prefix() / "lib/systemd/system/korvendale-startup.service");
    const std::vector<std::string> lines {"Type=oneshot\n", "RemainAfterExit=yes\n",
        "After=local-fs.target\n", "WantedBy=multi-user.target\n",
        std::string("ExecStart=\"") + KORV_INSTALL_PREFIX + "/libexec/korvendale/Korvendale Startup\"\n"};
    for (const std::string& line : lines)
        EXPECT_NE(unit.find(line), std::string::npos) << line << "missing in\n" << unit;
}

// The installed tree, wherever it lies, on a machine made by the installed macsim.
TEST_F(Package, ProgramsRunFromTheUnpackedRoot)
{
    fs::path machine = tree.root.parent_path() / "machine";
    std::map<std::string, std::string> env {{"MACSIM_MACHINE", machine.string()}};
    fs::path bin = tree.prefix() / "bin";

    testkit::ProcessResult create = testkit::run((bin / "macsim").string(), {"create"}, env);
    ASSERT_EQ(create.status, 0) << create.err;
    EXPECT_EQ(
        fs::read_symlink(machine / "disk/sbin/kextload"), tree.prefix() / "libexec/korvendale/kextload");
    EXPECT_EQ(
        fs::read_symlink(machine / "disk/System/Library/StartupItems/Korvendale Startup/Korvendale Startup"),
        tree.prefix() / "libexec/korvendale/Korvendale Startup");

    // Booting runs the installed startup item, which loads the extension
    // through the installed loader.
    testkit::ProcessResult boot = testkit::run((bin / "macsim").string(), {"boot"}, env);
    EXPECT_EQ(boot.status, 0);
    EXPECT_EQ(boot.err, "");

    testkit::ProcessResult tool
        = testkit::run((tree.prefix() / "sbin/korvendalecache").string(), {"-d"}, env);
    EXPECT_EQ(tool.status, 0) << tool.out;
    EXPECT_EQ(tool.out.rfind("PVR  = 0x000C0209\nHID0 = 0x", 0), 0u) << tool.out;
    EXPECT_NE(tool.out.find("Auto-detected L2CR settings:\n\tL2CR base = 0x"), std::string::npos) << tool.out;

    fs::path script = tree.root.parent_path() / "quit.script";
    std::ofstream(script) << "click-title Tarnwick\nquit\n";
    env["MACSIM_DISPLAY"] = "headless";
    env["MACSIM_SCRIPT"] = script.string();
    testkit::ProcessResult app = testkit::run((bin / "tarnwick-x").string(), {}, env);
    EXPECT_EQ(app.status, 0) << app.err;
    EXPECT_EQ(app.err, "");
    EXPECT_EQ(
        fs::file_size(machine / "disk/System/Library/StartupItems/Korvendale Startup/Tarnwick X Prefs"), 36u);
}

TEST_F(Package, ManualPagesAreCleanAndAgreeWithTheHelp)
{
    for (const char* page : {"share/man/man8/korvendalecache.8.gz", "share/man/man1/macsim.1.gz"}) {
        testkit::ProcessResult lint = testkit::run(
            "/usr/bin/man", {"--warnings", "-l", (tree.prefix() / page).string()}, {{"MANWIDTH", "80"}});
        EXPECT_EQ(lint.status, 0) << page;
        EXPECT_EQ(lint.err, "") << page;
    }

    // Every verb `macsim --help` lists has its own entry in the page.
    testkit::ProcessResult help = testkit::run((tree.prefix() / "bin/macsim").string(), {"--help"});
    testkit::ProcessResult page = testkit::run("/usr/bin/man",
        {"-l", (tree.prefix() / "share/man/man1/macsim.1.gz").string()}, {{"MANWIDTH", "200"}});
    std::istringstream lines(help.out.substr(help.out.find("Verbs:\n") + 7));
    std::string line;
    int verbs = 0;
    while (std::getline(lines, line) && !line.empty()) {
        std::string synopsis = line.substr(2, line.find("  ", 2) - 2);
        const std::string entry = "\n       " + synopsis;
        const size_t at = page.out.find(entry);
        EXPECT_TRUE(at != std::string::npos
            && (page.out[at + entry.size()] == '\n' || page.out[at + entry.size()] == ' '))
            << synopsis;
        ++verbs;
    }
    EXPECT_EQ(verbs, 8);

    // korvendalecache's usage names exactly the options and values of its page.
    testkit::ProcessResult usage = testkit::run((tree.prefix() / "sbin/korvendalecache").string(), {});
    testkit::ProcessResult toolPage = testkit::run("/usr/bin/man",
        {"-l", (tree.prefix() / "share/man/man8/korvendalecache.8.gz").string()}, {{"MANWIDTH", "200"}});
    for (const char* shared : {"korvendalecache -d\n", "-r [1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0]\n",
             "-s [256, 512, 1024, 2048]\n", "korvendalecache -off\n"})
        EXPECT_NE(usage.out.find(shared), std::string::npos) << shared;
    for (const char* entry :
        {"       -d     ", "       -r ratio\n", "one of 1.0, 1.5, 2.0, 2.5, 3.0, 3.5 or 4.0.",
            "       -s size\n", "one of 256, 512, 1024 or 2048.", "       -off   "})
        EXPECT_NE(toolPage.out.find(entry), std::string::npos) << entry;
}

TEST_F(Package, DesktopEntryValidatesInTheSettingsCategories)
{
    fs::path entry = tree.prefix() / "share/applications/tarnwick-x.desktop";
    if (fs::exists("/usr/bin/desktop-file-validate")) {
        testkit::ProcessResult check = testkit::run("/usr/bin/desktop-file-validate", {entry.string()});
        EXPECT_EQ(check.status, 0);
        EXPECT_EQ(check.out + check.err, "");
    }
    std::string text = readText(entry);
    EXPECT_NE(text.find("\nCategories=Settings;HardwareSettings;\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=tarnwick-x\n"), std::string::npos);
    EXPECT_NE(text.find("\nIcon=tarnwick-x\n"), std::string::npos);
}

// Each icon is a PNG of its folder's size, with an alpha channel.
TEST_F(Package, IconsAreRgbaPngsOfTheirSize)
{
    for (unsigned size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        std::string name = std::to_string(size) + "x" + std::to_string(size);
        std::string png = readText(tree.prefix() / ("share/icons/hicolor/" + name + "/apps/tarnwick-x.png"));
        ASSERT_GE(png.size(), 26u) << name;
        EXPECT_EQ(png.substr(1, 3), "PNG");
        auto word = [&](size_t at) {
            return (unsigned(uint8_t(png[at])) << 24) | (unsigned(uint8_t(png[at + 1])) << 16)
                | (unsigned(uint8_t(png[at + 2])) << 8) | unsigned(uint8_t(png[at + 3]));
        };
        EXPECT_EQ(word(16), size) << name;
        EXPECT_EQ(word(20), size) << name;
        EXPECT_EQ(png[25], 6) << name; // colour type RGBA
    }
}

} // namespace

namespace {

// The package passes lintian without errors or warnings. This ctest test
// runs every case in one process, where a skip would hide the others'
// failures, so what the case needs is required rather than skipped for.
TEST_F(Package, LintianFindsNoErrorsOrWarnings)
{
    ASSERT_TRUE(fs::exists("/usr/bin/lintian")) << "lintian is not installed (scripts/setup.sh installs it)";
    // A Debian package belongs in /usr; a build configured for another prefix
    // (cmake's default /usr/local) makes a package only for local use.
    ASSERT_EQ(std::string(KORV_INSTALL_PREFIX), "/usr")
        << "configure with -DCMAKE_INSTALL_PREFIX=/usr, as ./run-tests does";
    EXPECT_EQ(testkit::lintianComplaints(tree.deb), "");
}

} // namespace
