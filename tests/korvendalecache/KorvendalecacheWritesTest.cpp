// What korvendalecache leaves in the machine: the L2CR it writes (as the
// simulated machine's journal records it) and the register afterwards.
#include "CacheToolRun.h"

#include <gtest/gtest.h>

namespace {

using cachetool::Setup;

struct WriteCase {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> writes;
    uint32_t l2crAfter;
    Setup setup = {};
};

const WriteCase kCases[] = {
    {"DisplayWritesNothing", {"-d"}, {}, 0xA9800000},
    {"RatioOnDisabledCache", {"-r", "2.0"}, {"hw.KorvendaleL2CR 0x00000000 -> 0xA9800000"}, 0xA9800000,
        {.hardware = {"l2cr=0"}}},
    {"RatioAndSize", {"-r", "2.0", "-s", "1024"}, {"hw.KorvendaleL2CR 0xA9800000 -> 0xB9800000"}, 0xB9800000},
    {"Size2048", {"-r", "1.0", "-s", "2048"}, {"hw.KorvendaleL2CR 0xA9800000 -> 0x83800000"}, 0x83800000},
    {"DisplayThenRatio", {"-d", "-r", "3.5"}, {"hw.KorvendaleL2CR 0xA9800000 -> 0xA7800000"}, 0xA7800000},
    {"Off", {"-off"}, {"hw.KorvendaleL2CR 0xA9800000 -> 0x00000000"}, 0x00000000},
    {"DisplayOff", {"-off", "-d"}, {"hw.KorvendaleL2CR 0xA9800000 -> 0x00000000"}, 0x00000000},
    {"NoWorkingSRAM", {"-r", "3.0"}, {"hw.KorvendaleL2CR 0x29800000 -> 0x8C000000"}, 0x8C000000,
        {.hardware = {"l2cr=0x29800000"}, .defL2CR = "0"}},
    {"TestCouldNotAllocate", {"-r", "2.0"}, {}, 0x29800000,
        {.hardware = {"l2cr=0x29800000"}, .defL2CR = "0xFFFFFFFF"}},
    {"ArgumentErrorWritesNothing", {"-r", "2.0", "-x"}, {}, 0xA9800000},
    {"RatioAndOffWritesNothing", {"-r", "2.0", "-off"}, {}, 0xA9800000},
    {"RepeatedRatioWritesNothing", {"-r", "1.5", "-r", "2.0"}, {}, 0xA9800000},
    {"RepeatedSizeWritesNothing", {"-r", "2.0", "-s", "256", "-s", "512"}, {}, 0xA9800000},
    {"SizeAloneWritesNothing", {"-s", "256"}, {}, 0xA9800000},
    {"NothingWithoutExtension", {"-r", "2.0"}, {}, 0xA9800000, {.loaded = false}},
    {"FailedWriteChangesNothing", {"-off"}, {}, 0xA9800000, {.writeFails = true}},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << c.name;
}

class Writes : public testing::TestWithParam<WriteCase> { };

TEST_P(Writes, JournalAndRegister)
{
    const WriteCase& c = GetParam();
    testkit::ScopedMachine machine;
    cachetool::prepare(machine, c.setup);
    cachetool::run(c.args);
    EXPECT_EQ(machine.writeLines("korvendalecache"), c.writes) << cachetool::describe(c.args);
    EXPECT_EQ(machine.get("l2cr"), c.l2crAfter) << cachetool::describe(c.args);
}

INSTANTIATE_TEST_SUITE_P(Korvendalecache, Writes, testing::ValuesIn(kCases),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

} // namespace
