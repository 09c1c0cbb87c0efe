// The static PowerPC build, run here by qemu-user, against the same simulated
// Macintosh and input as this machine's build: every screen, file and line
// of output must be the same, so that anything read or written in a fixed
// byte order is right on a big-endian processor. Also its .deb as a user
// gets it.
#include "image/Png.h"

#include <testkit/Files.h>
#include <testkit/PrefsRecord.h>
#include <testkit/Process.h>
#include <testkit/ScopedMachine.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using testkit::Bytes;
using testkit::ProcessResult;

const fs::path kPpc = KORV_PPC_BUILD_DIR;
const char* const kQemu = "/usr/bin/qemu-ppc";

// The program of either build, as a command line.
struct Build {
    const char* name;
    bool ppc;

    std::pair<std::string, std::vector<std::string>> command(
        const fs::path& relative, std::vector<std::string> args = {}) const
    {
        const fs::path host = testkit::binDirectory().parent_path();
        if (!ppc)
            return {(host / relative).string(), args};
        args.insert(args.begin(), (kPpc / relative).string());
        return {kQemu, args};
    }
};
const Build kHost {"host", false};
const Build kPowerPc {"powerpc", true};

// What a run left: its own output and the machine afterwards.
struct Outcome {
    ProcessResult result;
    std::map<std::string, std::string> files; // the run's snapshots and layouts; pixels for a PNG
    std::string journal, show;
    Bytes prefs, prefsSidecar; // its data, and its type and creator (AppleDouble)
};

std::string pixelsOf(const fs::path& png)
{
    toolbox::Image image;
    std::string error;
    if (!toolbox::readPNG(png.string(), image, &error))
        return error;
    std::ostringstream text;
    text << image.width << "x" << image.height << ":";
    text.write(reinterpret_cast<const char*>(image.pixels.data()), std::streamsize(image.pixels.size() * 4));
    return text.str();
}

// Each run has a machine of its own: its folder is named alike in both.
std::string withoutFolder(std::string text, const std::string& folder)
{
    for (size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
        text.replace(at, folder.size(), "MACHINE");
    return text;
}

void collect(testkit::ScopedMachine& machine, Outcome& outcome)
{
    const std::string folder = machine.directory().string();
    outcome.result.out = withoutFolder(outcome.result.out, folder);
    outcome.result.err = withoutFolder(outcome.result.err, folder);
    outcome.journal = machine.journal();
    outcome.show = withoutFolder(machine.show(), folder);
    outcome.prefs = testkit::readBytes(machine.prefsFile());
    outcome.prefsSidecar = testkit::readBytes(machine.prefsFolder() / "._Tarnwick X Prefs");
}

void expectSame(const Outcome& host, const Outcome& ppc)
{
    EXPECT_EQ(ppc.result.status, host.result.status);
    EXPECT_EQ(ppc.result.out, host.result.out);
    EXPECT_EQ(ppc.result.err, host.result.err);
    EXPECT_EQ(ppc.journal, host.journal);
    EXPECT_EQ(ppc.show, host.show);
    EXPECT_EQ(testkit::hex(ppc.prefs), testkit::hex(host.prefs));
    EXPECT_EQ(testkit::hex(ppc.prefsSidecar), testkit::hex(host.prefsSidecar));
    ASSERT_EQ(ppc.files.size(), host.files.size());
    for (const auto& [name, content] : host.files)
        EXPECT_TRUE(ppc.files.count(name) && ppc.files.at(name) == content) << name << " differs";
}

// ------------------------------------------------------------ Tarnwick X

struct ScreenCase {
    const char* name;
    const char* script; // snapshot and layout files go to @DIR@
};

// The pop-up on the Tarnwick tab opens with the shown item (2:1) under the
// mouse; 1:1 is two rows up and asks first.
const ScreenCase kScreens[] = {
    {"EveryTab",
        "click-title \"System Profile\"\nsnapshot @DIR@/1.png\nclick-title Tarnwick\nsnapshot @DIR@/2.png\n"
        "click-title Other\nsnapshot @DIR@/3.png\nclick-title Info\nsnapshot @DIR@/4.png\n"
        "layout @DIR@/layout.txt\n"},
    {"MenusAndTheSpeedWarning",
        "press 20 10\nsnapshot @DIR@/apple-menu.png\nrelease 300 300\nclick-title Tarnwick\n"
        "press 348 148\nsnapshot @DIR@/pop-up.png\nrelease 348 116\nsnapshot @DIR@/alert.png\n"
        "click-title Cancel\n"},
    {"SettingsSavedAtQuit",
        "keys option\nclick-title Tarnwick\nclick 310 187\nclick-title Other\nclick 310 119\n"
        "snapshot @DIR@/other.png\nkey cmd q\n"},
};

void PrintTo(const ScreenCase& c, std::ostream* os)
{
    *os << c.name;
}

class TarnwickOnPowerPc : public ::testing::TestWithParam<ScreenCase> { };

Outcome runTarnwick(const Build& build, const std::string& script)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const auto [program, args] = build.command("bin/tarnwick-x");
    Outcome outcome;
    const testkit::ScriptedRun run = testkit::runScripted(program, script, {}, false, args);
    outcome.result = run;
    for (const auto& entry : fs::directory_iterator(run.dir)) {
        const fs::path& path = entry.path();
        if (path.filename() != "script.txt")
            outcome.files[path.filename().string()]
                = path.extension() == ".png" ? pixelsOf(path) : testkit::readText(path);
    }
    collect(machine, outcome);
    return outcome;
}

TEST_P(TarnwickOnPowerPc, ShowsAndWritesWhatTheHostBuildDoes)
{
    const Outcome host = runTarnwick(kHost, GetParam().script);
    ASSERT_EQ(host.result.status, 0) << host.result.err;
    ASSERT_FALSE(host.files.empty());
    ASSERT_EQ(host.prefs.size(), 36u) << "saved at quit";
    expectSame(host, runTarnwick(kPowerPc, GetParam().script));
}

INSTANTIATE_TEST_SUITE_P(Scripts, TarnwickOnPowerPc, ::testing::ValuesIn(kScreens),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------- korvendalecache, the startup item, macsim

struct CommandCase {
    const char* name;
    const char* program; // relative to either build folder
    std::vector<std::string> args;
    bool withPrefs; // a preferences file on the disk first (for the startup item)
};

const CommandCase kCommands[] = {
    {"Display", "bin/korvendalecache", {"-d"}, false},
    {"RatioAndSize", "bin/korvendalecache", {"-r", "2.5", "-s", "512"}, false},
    {"Off", "bin/korvendalecache", {"-off"}, false},
    {"Usage", "bin/korvendalecache", {}, false},
    {"BadRatio", "bin/korvendalecache", {"-r", "9.0"}, false},
    {"StartupAppliesThePreferences", "libexec/korvendale/Korvendale Startup", {}, true},
    {"MacsimShow", "bin/macsim", {"show"}, false},
};

void PrintTo(const CommandCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandOnPowerPc : public ::testing::TestWithParam<CommandCase> { };

Outcome runCommand(const Build& build, const CommandCase& c)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0xBB000000", "temp=52"});
    machine.loadExtension();
    if (c.withPrefs)
        testkit::writeBytes(machine.prefsFile(), testkit::prefs::record(6));
    const auto [program, args] = build.command(c.program, c.args);
    Outcome outcome;
    outcome.result = testkit::run(program, args);
    collect(machine, outcome);
    return outcome;
}

TEST_P(CommandOnPowerPc, PrintsAndWritesWhatTheHostBuildDoes)
{
    const Outcome host = runCommand(kHost, GetParam());
    EXPECT_NE(host.result.out + host.result.err + host.journal, "");
    expectSame(host, runCommand(kPowerPc, GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandOnPowerPc, ::testing::ValuesIn(kCommands),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------- the package

fs::path powerPcPackage()
{
    for (const auto& entry : fs::directory_iterator(kPpc)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("korvendale_", 0) == 0 && name.size() > 12
            && name.compare(name.size() - 12, 12, "_powerpc.deb") == 0)
            return entry.path();
    }
    return {};
}

class PowerPcPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(deb.empty()) << "no korvendale_*_powerpc.deb in " << kPpc;
        ASSERT_EQ(testkit::run("/usr/bin/dpkg-deb", {"-x", deb.string(), root.path().string()}).status, 0);
    }
    const fs::path deb = powerPcPackage();
    testkit::TempDir root;
};

// Static big-endian 32-bit PowerPC programs: nothing from the target system is
// needed but the init system's helpers the maintainer scripts call.
TEST_F(PowerPcPackage, HoldsStaticPowerPcProgramsAndDependsOnNoLibrary)
{
    ProcessResult control = testkit::run("/usr/bin/dpkg-deb", {"-f", deb.string()});
    control.out.insert(0, "\n");
    EXPECT_NE(control.out.find("\nArchitecture: powerpc\n"), std::string::npos) << control.out;
    EXPECT_NE(control.out.find("\nDepends: init-system-helpers (>= 1.52)\n"), std::string::npos)
        << control.out;
    EXPECT_EQ(control.out.find("Recommends:"), std::string::npos) << control.out;
    for (const char* program : {"usr/bin/tarnwick-x", "usr/bin/macsim", "usr/sbin/korvendalecache",
             "usr/libexec/korvendale/Korvendale Startup", "usr/libexec/korvendale/kextload"}) {
        const Bytes elf = testkit::readBytes(root.path() / program);
        ASSERT_GE(elf.size(), 52u) << program;
        EXPECT_EQ(testkit::hex(Bytes(elf.begin(), elf.begin() + 6)), "7F454C460102")
            << program << ": ELF32 MSB";
        EXPECT_EQ(elf[18] << 8 | elf[19], 20) << program << ": EM_PPC";
        const ProcessResult headers
            = testkit::run("/usr/bin/powerpc-linux-gnu-readelf", {"-l", (root.path() / program).string()});
        EXPECT_EQ(headers.out.find("INTERP"), std::string::npos) << program << " is not static";
    }
    for (const char* data : {"usr/share/korvendale/System", "usr/share/korvendale/Tarnwick X.rsrc",
             "usr/share/man/man1/tarnwick-x.1.gz", "usr/share/man/man1/macsim.1.gz",
             "usr/share/man/man8/korvendalecache.8.gz", "usr/lib/systemd/system/korvendale-startup.service"})
        EXPECT_TRUE(fs::exists(root.path() / data)) << data;
    EXPECT_FALSE(fs::exists(root.path() / "usr/share/applications")) << "no window, no desktop entry";
}

TEST_F(PowerPcPackage, LintianFindsNoErrorsOrWarnings)
{
    EXPECT_EQ(testkit::lintianComplaints(deb), "");
}

} // namespace
