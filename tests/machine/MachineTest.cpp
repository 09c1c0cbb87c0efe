#include <machine/LinuxMachine.h>
#include <machine/SimulatedMachine.h>
#include <testkit/Files.h>
#include <testkit/ScopedMachine.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using machine::Kind;

struct SelectionCase {
    const char* macsimMachine;
    bool nodesExist;
    const char* architecture;
    Kind expected;
};

TEST(Selection, FollowsTheRule)
{
    const SelectionCase cases[] = {
        {nullptr, false, "x86_64", Kind::Simulated}, // a development machine
        {"", false, "x86_64", Kind::Simulated}, // empty is unset
        {nullptr, false, "ppc", Kind::Linux}, // a G3/G4 without the module loaded
        {nullptr, false, "ppc64", Kind::Linux},
        {nullptr, true, "x86_64", Kind::Linux}, // the module's nodes are there
        {"/m", false, "ppc", Kind::Simulated}, // asked for, even on a PowerPC
        {"/m", true, "ppc", Kind::Simulated},
        {nullptr, false, "aarch64", Kind::Simulated},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(machine::chooseKind(c.macsimMachine, c.nodesExist, c.architecture), c.expected)
            << (c.macsimMachine ? c.macsimMachine : "(unset)") << " " << c.nodesExist << " "
            << c.architecture;
    }
}

TEST(NodeText, ReadsWhatTheModuleWrites)
{
    const struct {
        const char* text;
        bool ok;
        uint32_t word;
    } cases[] = {
        {"786953\n", true, 0x000C0209},
        {"0\n", true, 0},
        {"4294967295\n", true, 0xFFFFFFFF},
        {"3103784960", true, 0xB9000000}, // newline optional
        {"-5\n", true, 0xFFFFFFFB}, // the temperature is signed
        {"-2147483648\n", true, 0x80000000},
        {"4294967296\n", false, 0}, // beyond 32 bits
        {"-2147483649\n", false, 0},
        {"", false, 0},
        {"\n", false, 0},
        {"-\n", false, 0},
        {"0x10\n", false, 0}, // the module writes decimal only
        {"+5\n", false, 0},
        {" 5\n", false, 0},
        {"5 \n", false, 0},
        {"5\n\n", false, 0},
        {"12ab\n", false, 0},
    };
    for (const auto& c : cases) {
        uint32_t word = 0x12345678;
        EXPECT_EQ(machine::parseNodeText(c.text, word), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(word, c.ok ? c.word : 0x12345678u) << '"' << c.text << '"';
    }
}

// A made-up /proc/sys and device tree in a temporary folder.
class FakeLinux : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(root_ / "proc/sys/hw");
        fs::create_directories(root_ / "proc/sys/kernel");
        fs::create_directories(root_ / "dt/cpus");
        write("proc/sys/kernel/ostype", "Linux\n");
    }
    void write(const std::string& relative, const std::string& bytes)
    {
        testkit::writeText(root_ / relative, bytes);
    }
    std::string read(const std::string& relative) { return testkit::readText(root_ / relative); }
    static std::string cell(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
    // A cpu node as Open Firmware lays it out.
    void cpu(const std::string& name, uint32_t pvr, uint32_t cpuHz, uint32_t busHz)
    {
        const std::string node = "dt/cpus/" + name + "/";
        write(node + "device_type", std::string("cpu") + '\0');
        write(node + "cpu-version", cell(pvr));
        write(node + "clock-frequency", cell(cpuHz));
        write(node + "bus-frequency", cell(busHz));
    }

    machine::LinuxMachine realMachine()
    {
        return machine::LinuxMachine({root_ / "proc/sys", root_ / "dt", root_ / "state"});
    }

    testkit::TempDir folder_;
    const fs::path root_ = folder_.path();
};

TEST_F(FakeLinux, RegisterNodesAreTheModulesFiles)
{
    write("proc/sys/hw/KorvendalePVR", "786953\n");
    write("proc/sys/hw/KorvendaleTemp", "-5\n");
    write("proc/sys/hw/KorvendaleL2CR", "0\n");
    write("proc/sys/hw/KorvendaleHID1", "garbage\n");
    auto m = realMachine();

    uint32_t word = 7;
    EXPECT_EQ(m.readWord("hw.KorvendalePVR", word), 0);
    EXPECT_EQ(word, 0x000C0209u);
    EXPECT_EQ(m.readWord("hw.KorvendaleTemp", word), 0);
    EXPECT_EQ(int32_t(word), -5);
    word = 7;
    EXPECT_EQ(m.readWord("hw.KorvendaleHID1", word), EIO); // unreadable text is no register of zero
    EXPECT_EQ(m.readWord("hw.KorvendaleDefL2CR", word), ENOENT); // the module is not loaded
    EXPECT_EQ(m.readWord("hw.model", word), ENOENT); // only the module's nodes are words
    EXPECT_EQ(m.readWord("hw.Korvendale/../../kernel/ostype", word), ENOENT);
    EXPECT_EQ(word, 7u);

    EXPECT_EQ(m.writeWord("hw.KorvendaleL2CR", 0xB9000000), 0);
    EXPECT_EQ(read("proc/sys/hw/KorvendaleL2CR"), "3103784960\n");
    EXPECT_EQ(m.writeWord("hw.KorvendaleHID0", 0), ENOENT);

    std::string ostype;
    EXPECT_EQ(m.readOSType(ostype), 0);
    EXPECT_EQ(ostype, "Linux");
}

// kern.bootargs: what the boot loader passed, as /proc/cmdline holds it.
TEST_F(FakeLinux, BootArgumentsAreTheKernelsCommandLine)
{
    auto m = realMachine();
    std::string words = "unread";
    EXPECT_EQ(m.readBootArgs(words), ENOENT);
    EXPECT_EQ(words, "unread");
    write("proc/cmdline", "root=/dev/sda3 ro quiet korvendale.skip\n");
    EXPECT_EQ(m.readBootArgs(words), 0);
    EXPECT_EQ(words, "root=/dev/sda3 ro quiet korvendale.skip");
}

TEST_F(FakeLinux, TheFirmwareTellsModelClocksAndGestalt)
{
    const struct {
        const char* model;
        std::string compatible;
        uint32_t pvr;
        int32_t mach;
        int32_t cput;
    } machines[] = {
        {"PowerMac3,1", std::string("PowerMac3,1\0MacRISC\0MacRISC2\0Power Macintosh\0", 44), 0x000C0209, 406,
            0x010C},
        {"AAPL,PowerMac G3", std::string("AAPL,PowerMac G3\0MacRISC\0", 25), 0x00080301, 510, 0x0108},
    };
    for (const auto& mac : machines) {
        write("dt/model", std::string(mac.model) + '\0');
        write("dt/compatible", mac.compatible);
        fs::remove_all(root_ / "dt/cpus");
        cpu("PowerPC,G4@1", 0x00090202, 1, 1); // a second processor: the first by name is taken
        cpu("PowerPC,G4@0", mac.pvr, 400000000, 99999999);
        write("dt/cpus/l2-cache/device_type", std::string("cache") + '\0');
        auto m = realMachine();

        std::string model;
        EXPECT_EQ(m.readModel(model), 0);
        EXPECT_EQ(model, mac.model);
        uint32_t cpuHz = 0, busHz = 0;
        EXPECT_EQ(m.readClocks(cpuHz, busHz), 0);
        EXPECT_EQ(cpuHz, 400000000u);
        EXPECT_EQ(busHz, 99999999u);
        int32_t mach = 0, cput = 0;
        EXPECT_TRUE(m.machineType(mach));
        EXPECT_EQ(mach, mac.mach) << mac.model;
        EXPECT_TRUE(m.processorType(cput));
        EXPECT_EQ(cput, mac.cput) << mac.model;
    }
}

TEST_F(FakeLinux, WithoutTheFirmwaresWordNothingIsMadeUp)
{
    write("dt/compatible", std::string("SomeBoard\0", 10));
    cpu("PowerPC,G4@0", 0x00420000, 400000000, 100000000);
    fs::remove(root_ / "dt/cpus/PowerPC,G4@0/bus-frequency");
    auto m = realMachine();
    std::string model = "kept";
    uint32_t cpuHz = 1, busHz = 2;
    int32_t answer = 3;
    EXPECT_EQ(m.readModel(model), ENOENT);
    EXPECT_EQ(m.readClocks(cpuHz, busHz), ENOENT);
    EXPECT_FALSE(m.machineType(answer));
    EXPECT_FALSE(m.processorType(answer));
    EXPECT_EQ(model, "kept");
    EXPECT_EQ(cpuHz, 1u);
    EXPECT_EQ(answer, 3);
}

TEST_F(FakeLinux, TheDiskIsTheStateFolderWithTheStartupItemsFolder)
{
    auto m = realMachine();
    EXPECT_EQ(m.diskFolder(), root_ / "state");
    EXPECT_TRUE(fs::is_directory(root_ / "state/System/Library/StartupItems/Korvendale Startup"));
    EXPECT_EQ(m.diskImage(), fs::path());
}

TEST(Commands, TheLoaderIsTheMachines)
{
    const std::vector<std::string> kextload
        = {"/sbin/kextload", "/System/Library/Extensions/KorvendaleKEXT.kext"};
    const std::vector<std::string> other = {"/bin/echo", "/System/Library"};

    machine::LinuxMachine real({"/nonexistent/proc", "/nonexistent/dt", "/nonexistent/state"});
    EXPECT_EQ(real.hostCommand(kextload), (std::vector<std::string> {"/sbin/modprobe", "korvendale"}));
    EXPECT_EQ(real.hostCommand(other), other);
    EXPECT_EQ(real.hostCommand({"/sbin/kextload", "/System/Library/Extensions/Other.kext"}),
        (std::vector<std::string> {"/sbin/kextload", "/System/Library/Extensions/Other.kext"}));

    testkit::ScopedMachine simulated; // MACSIM_MACHINE names it
    const std::string disk = simulated.disk().string();
    machine::SimulatedMachine mac;
    EXPECT_EQ(mac.hostCommand(kextload),
        (std::vector<std::string> {
            disk + "/sbin/kextload", disk + "/System/Library/Extensions/KorvendaleKEXT.kext"}));
    EXPECT_EQ(mac.hostCommand({"kextstat", "-b"}), (std::vector<std::string> {"kextstat", "-b"}));
}

} // namespace
