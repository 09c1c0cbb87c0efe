// korvendalecache as a user sees it: the exact standard output and exit
// status of a run, for every failure, every option and value, the allowed
// combinations in more than one order, and the register display's edge cases.
#include "CacheToolRun.h"

#include <gtest/gtest.h>
#include <testkit/FakeLinux.h>

namespace {

using cachetool::Setup;

const char kUsage[] = "usage:\n"
                      "\tkorvendalecache -d\n"
                      "\t\tdisplays current processor info\n"
                      "\tkorvendalecache -r [1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0]\n"
                      "\t\tenables L2 cache at the specified ratio\n"
                      "\tkorvendalecache -s [256, 512, 1024, 2048]\n"
                      "\t\tenables L2 cache with the specified size\n"
                      "\tkorvendalecache -off\n"
                      "\t\tdisables the L2 cache\n"
                      "\n"
                      "\toptions can be mixed as follows:\n"
                      "\t\t{drs},{d,-off}\n";

// The display of the standard machine of CacheToolRun.h.
const char kRegisters[] = "PVR  = 0x000C0209\n"
                          "HID0 = 0x8010C0A4\n"
                          "HID1 = 0xA0000000 [x4.0]\n"
                          "L2CR = 0xA9800000 [512 K, 2:1]\n"
                          "Temp = 45 deg C\n";
const char kBlock[] = "Auto-detected L2CR settings:\n"
                      "\tL2CR base = 0x21800000\n"
                      "\tPipelined late-write\n"
                      "\t0.5 nS\n"
                      "\t512 K\n";
const std::string kDisplay = std::string(kRegisters) + kBlock;
const char kApplying[] = "Applying new L2CR...\n";
const char kWriteFailed[] = "error: cannot write hw.KorvendaleL2CR: Input/output error.\n";
const char kNotLoaded[] = "error: cannot read hw.KorvendalePVR: KorvendaleKEXT is not loaded.\n";
// Standard error, when a node read fails for want of the extension.
const char kHowToLoad[]
    = "korvendalecache: load it with: kextload /System/Library/Extensions/KorvendaleKEXT.kext "
      "(on the simulated Macintosh: macsim boot)\n";

// The display with one register line replaced.
std::string displayWithLine(const std::string& oldLine, const std::string& newLine)
{
    std::string text = kDisplay;
    text.replace(text.find(oldLine), oldLine.size(), newLine);
    return text;
}

struct OutputCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    int status;
    Setup setup = {};
};

const OutputCase kCases[] = {
    // Failures: one message, nothing read or written.
    {"NoArguments", {}, kUsage, 1},
    {"UnknownOption", {"-x"}, "error: bad argument [-x]\n", 1},
    {"UnknownOptionAfterDisplay", {"-d", "-x"}, "error: bad argument [-x]\n", 1},
    {"OptionsAreCaseSensitive", {"-D"}, "error: bad argument [-D]\n", 1},
    {"NoAbbreviations", {"-of"}, "error: bad argument [-of]\n", 1},
    {"NoOptionValueForms", {"-r=2.0"}, "error: bad argument [-r=2.0]\n", 1},
    {"EmptyArgument", {""}, "error: bad argument []\n", 1},
    {"StrayValue", {"-d", "2.0"}, "error: bad argument [2.0]\n", 1},
    {"RatioLast", {"-r"}, "error: missing ratio argument.\n", 1},
    {"RatioLastAfterDisplay", {"-d", "-r"}, "error: missing ratio argument.\n", 1},
    {"RatioNotInList", {"-r", "2"}, "error: bad ratio argument [2].\n", 1},
    {"RatioNotExact", {"-r", "2.00"}, "error: bad ratio argument [2.00].\n", 1},
    {"RatioIsAnOption", {"-r", "-d"}, "error: bad ratio argument [-d].\n", 1},
    {"SizeLast", {"-r", "2.0", "-s"}, "error: missing size argument.\n", 1},
    {"SizeNotInList", {"-s", "128", "-r", "2.0"}, "error: bad size argument [128].\n", 1},
    {"SizeInBytes", {"-r", "2.0", "-s", "512K"}, "error: bad size argument [512K].\n", 1},
    {"SizeWithoutRatio", {"-s", "512"}, "error: -r option required for -s.\n", 1},
    {"SizeWithoutRatioWithDisplay", {"-d", "-s", "1024"}, "error: -r option required for -s.\n", 1},
    {"SizeWithoutRatioWithOff", {"-s", "512", "-off"}, "error: -r option required for -s.\n", 1},
    {"RatioAndOff", {"-r", "2.0", "-off"}, "error: cannot change size/ratio and disable simultaneously\n", 1},
    {"OffSizeRatio", {"-off", "-s", "512", "-r", "2.0"},
        "error: cannot change size/ratio and disable simultaneously\n", 1},
    {"DisplayRatioOff", {"-d", "-off", "-r", "4.0"},
        "error: cannot change size/ratio and disable simultaneously\n", 1},
    // A repeated value would OR two codes into a third.
    {"RatioTwice", {"-r", "2.0", "-r", "3.0"}, "error: -r option given more than once.\n", 1},
    {"SameRatioTwice", {"-r", "2.0", "-d", "-r", "2.0"}, "error: -r option given more than once.\n", 1},
    {"SizeTwice", {"-s", "256", "-r", "2.0", "-s", "512"}, "error: -s option given more than once.\n", 1},
    {"ArgumentErrorBeforeMissingExtension", {"-x"}, "error: bad argument [-x]\n", 1, {.loaded = false}},

    // Display.
    {"Display", {"-d"}, kDisplay, 0},
    {"DisplayTwiceIsOneDisplay", {"-d", "-d"}, kDisplay, 0},
    {"MultiplierThree", {"-d"}, displayWithLine("0xA0000000 [x4.0]", "0x80000000 [x3.0]"), 0,
        {.hardware = {"hid1=0x80000000"}}},
    {"PLLCode3IsNoMultiplier", {"-d"}, displayWithLine("0xA0000000 [x4.0]", "0x30000000 [x0.0]"), 0,
        {.hardware = {"hid1=0x30000000"}}},
    {"PLLCode4IsNoMultiplier", {"-d"}, displayWithLine("0xA0000000 [x4.0]", "0x4000ABCD [x0.0]"), 0,
        {.hardware = {"hid1=0x4000ABCD"}}},
    {"PLLCode15IsNoMultiplier", {"-d"}, displayWithLine("0xA0000000 [x4.0]", "0xF0000000 [x0.0]"), 0,
        {.hardware = {"hid1=0xF0000000"}}},
    {"MultiplierTen", {"-d"}, displayWithLine("0xA0000000 [x4.0]", "0x60000000 [x10.0]"), 0,
        {.hardware = {"hid1=0x60000000"}}},
    {"CacheDisabled", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0x29800000 [disabled]"), 0,
        {.hardware = {"l2cr=0x29800000"}}},
    {"CacheDisabledWhateverItsFields", {"-d"},
        displayWithLine("0xA9800000 [512 K, 2:1]", "0x7FFFFFFF [disabled]"), 0,
        {.hardware = {"l2cr=0x7FFFFFFF"}}},
    {"CacheZero", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0x00000000 [disabled]"), 0,
        {.hardware = {"l2cr=0"}}},
    // Enabled without a clock: the size text stays and the line is closed.
    {"EnabledWithoutClock", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0xA1800000 [512 K, ]"), 0,
        {.hardware = {"l2cr=0xA1800000"}}},
    {"Size256Ratio1to1", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0x92000000 [256 K, 1:1]"), 0,
        {.hardware = {"l2cr=0x92000000"}}},
    {"Size512Ratio3to2", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0xA4000000 [512 K, 3:2]"), 0,
        {.hardware = {"l2cr=0xA4000000"}}},
    {"Size1MRatio5to2", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0xBA834000 [1 MB, 5:2]"), 0,
        {.hardware = {"l2cr=0xBA834000"}}},
    {"Size2MRatio3to1", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0x8C000000 [2 MB, 3:1]"), 0,
        {.hardware = {"l2cr=0x8C000000"}}},
    {"Ratio7to2", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0xA6000000 [512 K, 7:2]"), 0,
        {.hardware = {"l2cr=0xA6000000"}}},
    {"Ratio4to1", {"-d"}, displayWithLine("0xA9800000 [512 K, 2:1]", "0xBE000000 [1 MB, 4:1]"), 0,
        {.hardware = {"l2cr=0xBE000000"}}},
    {"NegativeTemperature", {"-d"}, displayWithLine("Temp = 45 deg C", "Temp = -5 deg C"), 0,
        {.hardware = {"temp=-5"}}},

    // The auto-detected block.
    {"BaseDifferentialTwoNanoseconds", {"-d"},
        std::string(kRegisters)
            + "Auto-detected L2CR settings:\n\tL2CR base = 0x21834000\n\tPipelined late-write\n\t2.0 nS\n"
              "\tDifferential\n\t512 K\n",
        0, {.defL2CR = "0x21834000"}},
    {"BaseInvalidSRAMType", {"-d"},
        std::string(kRegisters)
            + "Auto-detected L2CR settings:\n\tL2CR base = 0x30820000\n\tIncorrect SDRAM type\n\t1.5 nS\n\t1 "
              "MB\n",
        0, {.defL2CR = "0x30820000"}},
    {"BaseEnableBitIgnored", {"-d"},
        std::string(kRegisters)
            + "Auto-detected L2CR settings:\n\tL2CR base = 0x91010000\n\tPipelined synchronous\n\t1.0 "
              "nS\n\t256 K\n",
        0, {.defL2CR = "0x91010000"}},
    {"BaseNoWorkingSRAM", {"-d"},
        std::string(kRegisters)
            + "Auto-detected L2CR settings:\n\tL2CR base = 0x00000000\n\tFlow-through\n\t0.5 nS\n\t2 MB\n",
        0, {.defL2CR = "0"}},
    {"BaseTestCouldNotAllocate", {"-d"},
        std::string(kRegisters)
            + "Auto-detected L2CR settings:\n\terror: failed to allocate 512K block for L2 test.\n",
        0, {.defL2CR = "0xFFFFFFFF"}},

    // Applying, each ratio and each size.
    {"Ratio1.0", {"-r", "1.0"}, "Applying new L2CR...\nNew L2CR = 0xA3800000 [512 K, 1:1]\n", 0},
    {"Ratio1.5", {"-r", "1.5"}, "Applying new L2CR...\nNew L2CR = 0xA5800000 [512 K, 3:2]\n", 0},
    {"Ratio2.0", {"-r", "2.0"}, "Applying new L2CR...\nNew L2CR = 0xA9800000 [512 K, 2:1]\n", 0},
    {"Ratio2.5", {"-r", "2.5"}, "Applying new L2CR...\nNew L2CR = 0xAB800000 [512 K, 5:2]\n", 0},
    {"Ratio3.0", {"-r", "3.0"}, "Applying new L2CR...\nNew L2CR = 0xAD800000 [512 K, 3:1]\n", 0},
    {"Ratio3.5", {"-r", "3.5"}, "Applying new L2CR...\nNew L2CR = 0xA7800000 [512 K, 7:2]\n", 0},
    {"Ratio4.0", {"-r", "4.0"}, "Applying new L2CR...\nNew L2CR = 0xAF800000 [512 K, 4:1]\n", 0},
    {"Size256", {"-r", "2.0", "-s", "256"}, "Applying new L2CR...\nNew L2CR = 0x99800000 [256 K, 2:1]\n", 0},
    {"Size512", {"-s", "512", "-r", "2.0"}, "Applying new L2CR...\nNew L2CR = 0xA9800000 [512 K, 2:1]\n", 0},
    {"Size1024", {"-r", "2.0", "-s", "1024"}, "Applying new L2CR...\nNew L2CR = 0xB9800000 [1 MB, 2:1]\n", 0},
    {"Size2048", {"-r", "1.0", "-s", "2048"}, "Applying new L2CR...\nNew L2CR = 0x83800000 [2 MB, 1:1]\n", 0},
    {"Size2048ClearsTheBaseSize", {"-s", "2048", "-r", "3.0"},
        "Applying new L2CR...\nNew L2CR = 0x8D834000 [2 MB, 3:1]\n", 0, {.defL2CR = "0x31834000"}},
    {"UninterpretedBaseBitsCarried", {"-r", "2.0"},
        "Applying new L2CR...\nNew L2CR = 0xA98B4001 [512 K, 2:1]\n", 0, {.defL2CR = "0x218B4001"}},
    {"NoWorkingSRAMNotSpecial", {"-r", "2.0"}, "Applying new L2CR...\nNew L2CR = 0x88000000 [2 MB, 2:1]\n", 0,
        {.defL2CR = "0"}},
    {"NoWorkingSRAMWithSize", {"-r", "2.0", "-s", "512"},
        "Applying new L2CR...\nNew L2CR = 0xA8000000 [512 K, 2:1]\n", 0, {.defL2CR = "0"}},
    {"TestCouldNotAllocate", {"-r", "2.0"}, "error: failed to allocate 512K block for L2 test.\n", 0,
        {.defL2CR = "0xFFFFFFFF"}},
    {"TestCouldNotAllocateWithDisplay", {"-d", "-r", "2.0", "-s", "256"},
        std::string(kRegisters)
            + "Auto-detected L2CR settings:\n\terror: failed to allocate 512K block for L2 test.\n"
              "error: failed to allocate 512K block for L2 test.\n",
        0, {.defL2CR = "0xFFFFFFFF"}},

    // Combinations in more than one order: the display always comes first.
    {"SizeRatioDisplay", {"-s", "1024", "-r", "3.0", "-d"},
        kDisplay + kApplying + "New L2CR = 0xBD800000 [1 MB, 3:1]\n", 0},
    {"DisplayRatioSize", {"-d", "-r", "3.0", "-s", "1024"},
        kDisplay + kApplying + "New L2CR = 0xBD800000 [1 MB, 3:1]\n", 0},
    {"DisplayRatio3.5", {"-d", "-r", "3.5"}, kDisplay + kApplying + "New L2CR = 0xA7800000 [512 K, 7:2]\n",
        0},
    {"RatioDisplay", {"-r", "3.5", "-d"}, kDisplay + kApplying + "New L2CR = 0xA7800000 [512 K, 7:2]\n", 0},
    {"Off", {"-off"}, "Applying new L2CR...\nNew L2CR = 0x00000000 [disabled]\n", 0},
    {"DisplayOff", {"-d", "-off"}, kDisplay + kApplying + "New L2CR = 0x00000000 [disabled]\n", 0},
    {"OffDisplay", {"-off", "-d"}, kDisplay + kApplying + "New L2CR = 0x00000000 [disabled]\n", 0},
    {"OffWithoutUsableBase", {"-off"}, "Applying new L2CR...\nNew L2CR = 0x00000000 [disabled]\n", 0,
        {.defL2CR = "0xFFFFFFFF"}},

    // Without the extension's nodes there is nothing to show or change.
    {"DisplayWithoutExtension", {"-d"}, kNotLoaded, 1, {.loaded = false}},
    {"RatioWithoutExtension", {"-r", "2.0"}, kNotLoaded, 1, {.loaded = false}},
    {"OffWithoutExtension", {"-d", "-off"}, kNotLoaded, 1, {.loaded = false}},

    // A write that does not take effect is no new L2CR.
    {"RatioWriteFails", {"-r", "2.0"}, std::string(kApplying) + kWriteFailed, 1, {.writeFails = true}},
    {"DisplayOffWriteFails", {"-d", "-off"}, kDisplay + kApplying + kWriteFailed, 1, {.writeFails = true}},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const OutputCase& c, std::ostream* os)
{
    *os << c.name;
}

class Output : public testing::TestWithParam<OutputCase> { };

TEST_P(Output, MatchesByteForByte)
{
    const OutputCase& c = GetParam();
    testkit::ScopedMachine machine;
    cachetool::prepare(machine, c.setup);
    testkit::ProcessResult r = cachetool::run(c.args);
    EXPECT_EQ(r.out, c.out) << cachetool::describe(c.args);
    EXPECT_EQ(r.status, c.status) << cachetool::describe(c.args);
    if (!c.setup.writeFails) { // the machine itself explains a failed write on stderr
        EXPECT_EQ(r.err, c.out == kNotLoaded ? kHowToLoad : "") << cachetool::describe(c.args);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Korvendalecache, Output, testing::ValuesIn(kCases), [](const testing::TestParamInfo<OutputCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

// On Linux "not tested" is the firmware's silence, not a failed allocation:
// the module runs no test of its own. The registers of QEMU's G4.
TEST(OnLinux, AnUntestedBaseIsTheFirmwares)
{
    testkit::FakeLinux real;
    for (const auto& [node, text] : std::vector<std::pair<std::string, std::string>> {
             {"KorvendalePVR", "786953"}, {"KorvendaleHID0", "1097900"}, {"KorvendaleHID1", "0"},
             {"KorvendaleTemp", "127"}, {"KorvendaleL2CR", "0"}, {"KorvendaleDefL2CR", "4294967295"}})
        real.setNode(node, text);
    const std::string untested = "error: no tested L2 configuration: the firmware gave none.\n";
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"-d"},
            "PVR  = 0x000C0209\nHID0 = 0x0010C0AC\nHID1 = 0x00000000 [x9.0]\nL2CR = 0x00000000 "
            "[disabled]\nTemp = 127 deg C\nAuto-detected L2CR settings:\n\t"
                + untested},
        {{"-r", "2.0"}, untested},
    };
    for (const auto& c : cases) {
        testkit::ProcessResult r = real.run("korvendalecache", c.args);
        EXPECT_EQ(r.out, c.out) << cachetool::describe(c.args);
        EXPECT_EQ(r.err, "") << cachetool::describe(c.args);
        EXPECT_EQ(r.status, 0) << cachetool::describe(c.args);
    }
    EXPECT_EQ(real.node("KorvendaleL2CR"), "0\n");
}

} // namespace
