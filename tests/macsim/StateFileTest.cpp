// A damaged state file: every program that meets it says which file and which
// line, fails, and leaves the file as it was; nothing resets it silently.
#include "MacsimTestSupport.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>
#include <sstream>

using macsimtest::macsim;
using macsimtest::probe;
using macsimtest::readText;
using macsimtest::writeText;

namespace {

// The state text with the line that starts with `key + " ="` replaced by
// `replacement` (or removed when it is empty), and `extra` appended.
std::string edited(const std::string& state, const std::string& key, const std::string& replacement,
    const std::string& extra = {})
{
    std::istringstream in(state);
    std::string line, out;
    while (std::getline(in, line)) {
        if (!key.empty() && line.rfind(key + " =", 0) == 0) {
            if (!replacement.empty())
                out += replacement + "\n";
        } else {
            out += line + "\n";
        }
    }
    return out + extra;
}

TEST(StateFile, DamageIsReportedWithFileAndLineAndLeavesTheFileAlone)
{
    struct {
        const char* key;
        const char* replacement;
        const char* extra;
        const char* where; // after "<state path>"
    } const cases[] = {
        {"hid0", "hid0 = 0xZZ", "",
            ":11: bad value for hid0 (expected a number in decimal or 0x hexadecimal): \"hid0 = 0xZZ\""},
        {"", "", "colour = blue\n", ":27: unknown key \"colour\": \"colour = blue\""},
        {"pvr", "garbage", "", ":10: not a \"key = value\" line: \"garbage\""},
        {"", "", "pvr = 0x1\n", ":27: \"pvr\" given twice: \"pvr = 0x1\""},
        {"l2cr", "", "", ": no line for \"l2cr\""},
        {"kext-loaded", "kext-loaded = 2", "",
            ":25: bad value for kext-loaded (expected 0 or 1): \"kext-loaded = 2\""},
        {"sram-type", "sram-type = magnetic", "",
            ":19: bad value for sram-type (expected one of flow-through, pipelined, late-write): \"sram-type "
            "= "
            "magnetic\""},
        {"temp", "temp = 99999999999", "",
            ":15: bad value for temp (expected a signed number in decimal or 0x hexadecimal): \"temp = "
            "99999999999\""},
        {"model", "model = ", "",
            ":4: bad value for model (expected 1 to 255 printable characters): \"model = \""},
    };
    for (const auto& c : cases) {
        testkit::ScopedMachine machine;
        machine.loadExtension();
        auto statePath = machine.directory() / "state";
        std::string damaged = edited(readText(statePath), c.key, c.replacement, c.extra);
        writeText(statePath, damaged);
        std::string expected = "macsim: " + statePath.string() + c.where + "\n";

        auto get = macsim(machine.directory(), {"get", "pvr"});
        EXPECT_EQ(get.status, 1) << c.where;
        EXPECT_EQ(get.out, "");
        EXPECT_EQ(get.err, expected);

        auto set = macsim(machine.directory(), {"set", "hid0=1"});
        EXPECT_EQ(set.status, 1);
        EXPECT_EQ(set.err, expected);

        // A program reading all six nodes hears of it once, and gets EIO.
        auto read = probe(machine.directory(), {"readall"});
        EXPECT_EQ(read.out, "error EIO\nerror EIO\nerror EIO\nerror EIO\nerror EIO\nerror EIO\n");
        EXPECT_EQ(read.err, expected);

        auto write = probe(machine.directory(), {"write", "hw.KorvendaleL2CR", "0"});
        EXPECT_EQ(write.out, "error EIO\n");
        EXPECT_EQ(readText(statePath), damaged) << c.where;
    }
}

TEST(StateFile, HandEditsInDecimalAndHexAreRead)
{
    testkit::ScopedMachine machine;
    auto statePath = machine.directory() / "state";
    writeText(
        statePath, edited(readText(statePath), "hid0", "  hid0=2148581504  ", "# a note of the owner's\n\n"));
    EXPECT_EQ(machine.get("hid0"), 0x8010C080u);
    machine.set({"temp=40"});
    EXPECT_NE(readText(statePath).find("\nhid0 = 0x8010C080\n"), std::string::npos);
}

} // namespace
