// The kernel extension's nodes as a program sees them through sysctl: absent
// until the extension is loaded, readable words, two writable registers,
// writes that the next program sees, and the CTL_HW values that always answer.
#include "MacsimTestSupport.h"
#include "testkit/ScopedMachine.h"

#include <sys/sysctl.h>

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using macsimtest::probe;

namespace {

const char* const registerNodes[] = {"hw.KorvendalePVR", "hw.KorvendaleHID0", "hw.KorvendaleHID1",
    "hw.KorvendaleTemp", "hw.KorvendaleL2CR", "hw.KorvendaleDefL2CR"};

TEST(NodeSemantics, NodesAreAbsentUntilTheExtensionIsLoaded)
{
    testkit::ScopedMachine machine;
    for (const char* node : registerNodes) {
        unsigned int word = 0xDEADBEEF;
        size_t length = 8;
        errno = 0;
        EXPECT_EQ(sysctlbyname(node, &word, &length, nullptr, 0), -1) << node;
        EXPECT_EQ(errno, ENOENT) << node;
        EXPECT_EQ(word, 0xDEADBEEFu) << node;
        EXPECT_EQ(length, 8u) << node;

        unsigned int value = 0;
        errno = 0;
        EXPECT_EQ(sysctlbyname(node, nullptr, nullptr, &value, sizeof value), -1) << node;
        EXPECT_EQ(errno, ENOENT) << node;
    }
    EXPECT_EQ(machine.journal(), "");
}

TEST(NodeSemantics, LoadedNodesReadTheRegisters)
{
    testkit::ScopedMachine machine("sawtooth-400");
    machine.set({"temp=-12"});
    machine.loadExtension();
    struct {
        const char* node;
        unsigned int word;
    } const cases[] = {
        {"hw.KorvendalePVR", 0x000C0209},
        {"hw.KorvendaleHID0", 0x8010C080},
        {"hw.KorvendaleHID1", 0xA0000000},
        {"hw.KorvendaleTemp", 0xFFFFFFF4}, // two's complement
        {"hw.KorvendaleL2CR", 0xB9000000},
        {"hw.KorvendaleDefL2CR", 0x31000000},
    };
    for (const auto& c : cases) {
        unsigned int word = 0;
        size_t length = 4;
        EXPECT_EQ(sysctlbyname(c.node, &word, &length, nullptr, 0), 0) << c.node;
        EXPECT_EQ(word, c.word) << c.node;
        EXPECT_EQ(length, 4u) << c.node;
    }
}

TEST(NodeSemantics, OnlyHid0AndL2crTakeWrites)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    struct {
        const char* node;
        const char* reply;
        const char* field;
        unsigned int after;
    } const cases[] = {
        {"hw.KorvendaleHID0", "ok\n", "hid0", 0x8010C0A4},
        {"hw.KorvendaleL2CR", "ok\n", "l2cr", 0x8010C0A4},
        {"hw.KorvendalePVR", "error EPERM\n", "pvr", 0x000C0209},
        {"hw.KorvendaleHID1", "error EPERM\n", "hid1", 0xA0000000},
        {"hw.KorvendaleTemp", "error EPERM\n", "temp", 31},
        {"hw.KorvendaleDefL2CR", "error EPERM\n", "def-l2cr", 0x31000000},
        {"hw.KorvendaleNothing", "error ENOENT\n", "pvr", 0x000C0209},
    };
    for (const auto& c : cases) {
        auto r = probe(machine.directory(), {"write", c.node, "0x8010C0A4"});
        EXPECT_EQ(r.out, c.reply) << c.node;
        EXPECT_EQ(machine.get(c.field), c.after) << c.node;
    }
    EXPECT_EQ(machine.journal(),
        "1 hw.KorvendaleHID0 0x8010C080 -> 0x8010C0A4 macsim-node-probe\n"
        "2 hw.KorvendaleL2CR 0xB9000000 -> 0x8010C0A4 macsim-node-probe\n");
}

TEST(NodeSemantics, ShortBuffersAndSizeQueries)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    unsigned char small[2] = {7, 7};
    size_t length = 2;
    errno = 0;
    EXPECT_EQ(sysctlbyname("hw.KorvendalePVR", small, &length, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOMEM);
    EXPECT_EQ(small[0], 7);
    EXPECT_EQ(length, 2u);

    length = 0;
    EXPECT_EQ(sysctlbyname("hw.KorvendalePVR", nullptr, &length, nullptr, 0), 0);
    EXPECT_EQ(length, 4u);

    unsigned short half = 0;
    errno = 0;
    EXPECT_EQ(sysctlbyname("hw.KorvendaleL2CR", nullptr, nullptr, &half, sizeof half), -1);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(machine.get("l2cr"), 0xB9000000u);
}

TEST(NodeSemantics, ClocksAndModelAnswerWhetherOrNotTheExtensionIsLoaded)
{
    testkit::ScopedMachine machine("digital-audio-533");
    for (int loaded = 0; loaded < 2; ++loaded) {
        if (loaded)
            machine.loadExtension();
        int cpuName[2] = {CTL_HW, HW_CPU_FREQ};
        int busName[2] = {CTL_HW, HW_BUS_FREQ};
        int modelName[2] = {CTL_HW, HW_MODEL};
        unsigned int hz = 0;
        size_t length = 4;
        ASSERT_EQ(sysctl(cpuName, 2, &hz, &length, nullptr, 0), 0);
        EXPECT_EQ(hz, 533333332u);
        ASSERT_EQ(sysctl(busName, 2, &hz, &length, nullptr, 0), 0);
        EXPECT_EQ(hz, 133160004u);

        char model[256];
        length = sizeof model;
        ASSERT_EQ(sysctl(modelName, 2, model, &length, nullptr, 0), 0);
        EXPECT_EQ(length, 12u);
        EXPECT_STREQ(model, "PowerMac3,4");
    }
}

TEST(NodeSemantics, ModelIntoATooSmallBufferGetsWhatFits)
{
    testkit::ScopedMachine machine;
    int modelName[2] = {CTL_HW, HW_MODEL};
    char model[8];
    std::memset(model, '*', sizeof model);
    size_t length = 5;
    errno = 0;
    EXPECT_EQ(sysctl(modelName, 2, model, &length, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOMEM);
    EXPECT_EQ(std::string(model, 8), "Power***");
    EXPECT_EQ(length, 5u);

    int unknown[2] = {CTL_HW, 99};
    unsigned int word = 0;
    length = 4;
    errno = 0;
    EXPECT_EQ(sysctl(unknown, 2, &word, &length, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
