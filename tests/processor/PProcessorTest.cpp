// The processor object on a simulated Mac: what it identifies, what it reads
// live, and the words it writes (as the machine's journal records them).
#include <processor/PProcessor.h>

#include <testkit/ScopedMachine.h>

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <testkit/PString.h>

namespace {

// A fresh object for each case; the program-wide one is made only by
// InitPProcessor, once per process.
class ProbeProcessor : public PProcessor {
public:
    ProbeProcessor() = default;
    ~ProbeProcessor() override = default;
};

const auto Pascal = testkit::text;

// The journal's writes by this test program, without sequence numbers.
std::vector<std::string> Writes(testkit::ScopedMachine& machine)
{
    std::vector<std::string> writes;
    std::istringstream lines(machine.journal());
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string sequence, node, oldWord, arrow, newWord, program;
        fields >> sequence >> node >> oldWord >> arrow >> newWord >> program;
        if (program == "processor_tests")
            writes.push_back(node + " " + oldWord + " -> " + newWord);
    }
    return writes;
}

struct IdentityCase {
    std::vector<std::string> hardware;
    const char* name;
    const char* machineName;
};

TEST(PProcessor, IdentifiesProcessorAndMachine)
{
    const IdentityCase cases[] = {
        {{"pvr=0x000C0209", "model=PowerMac3,1"}, "PowerPC 7400", "Power Macintosh G4 (Sawtooth)"},
        {{"pvr=0x00083214", "model=PowerBook1,1"}, "PowerPC 750", "PowerBook (Lombard)"},
        {{"pvr=0x00088302", "model=PowerMac1,2"}, "PowerPC 750", "Power Machintosh G4 (Graphite)"},
        {{"pvr=0x80000201", "model=PowerMac3,3"}, "PowerPC 7450", "PowerMac3,3"},
        {{"pvr=0x800C1101", "model=iMac,1"}, "PowerPC 7410", "iMac"},
        {{"pvr=0x00050000", "model=powermac3,1"}, "Unrecognized CPU", "powermac3,1"},
        {{"pvr=0x00090202", "model=PowerMac3,1x"}, "PowerPC 604e", "PowerMac3,1x"},
        {{"pvr=0x00080202", "model=PowerMac1,1"}, "PowerPC 750", "Power Macintosh G3 (B & W)"},
        {{"pvr=0x00080202", "model=PowerBook2,1"}, "PowerPC 750", "iBook"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hardware[1]);
        testkit::ScopedMachine machine;
        machine.set(c.hardware);
        machine.loadExtension();
        ProbeProcessor processor;
        EXPECT_EQ(Pascal(processor.getName()), c.name);
        EXPECT_EQ(Pascal(processor.getMachineName()), c.machineName);
    }
}

TEST(PProcessor, ReadsFixedValuesOnceAtConstruction)
{
    testkit::ScopedMachine machine;
    machine.set({"pvr=0x000C0209", "hid1=0xA0000000", "cpu-hz=450000000", "bus-hz=100000000"});
    machine.loadExtension();
    machine.set({"def-l2cr=0x31834000"});
    ProbeProcessor processor;
    machine.set({"pvr=0x00083214", "hid1=0x80000000", "def-l2cr=0x21800000", "cpu-hz=300000000"});
    EXPECT_EQ(processor.getPVR(), 0x000C0209u);
    EXPECT_EQ(processor.getHID1(), 0xA0000000u);
    EXPECT_EQ(processor.getDefaultL2CR(), 0x31834000u);
    EXPECT_EQ(processor.getSpeed(), 450000000u);
    EXPECT_EQ(processor.getBusSpeed(), 100000000u);
}

TEST(PProcessor, ReadsLiveValuesOnEveryCall)
{
    testkit::ScopedMachine machine;
    machine.set({"l2cr=0xA9800000", "hid0=0x8010C0A4", "temp=45", "cpu-hz=400000000"});
    machine.loadExtension();
    ProbeProcessor processor;
    EXPECT_EQ(processor.getL2CR(), 0xA9800000u);
    EXPECT_EQ(processor.getL2CacheSpeed(), 200000000u);
    machine.set({"l2cr=0xBC000000", "hid0=0x8010C080", "temp=-5"});
    EXPECT_EQ(processor.getL2CR(), 0xBC000000u);
    EXPECT_EQ(processor.getHID0(), 0x8010C080u);
    EXPECT_EQ(processor.getTemperature(), 0xFFFFFFFBu);
    EXPECT_EQ(processor.getL2CacheSpeed(), 133333333u);
}

TEST(PProcessor, L2CacheSpeed)
{
    struct {
        const char* cpuHz;
        const char* l2cr;
        UInt32 expected;
    } const cases[] = {
        {"cpu-hz=500000000", "l2cr=0x8C000000", 166666667},
        {"cpu-hz=500000000", "l2cr=0x0C000000", 0}, // disabled, whatever the clock code
        {"cpu-hz=466666666", "l2cr=0xAA000000", 186666666},
        {"cpu-hz=400000000", "l2cr=0xA1800000", 0}, // enabled without a clock
        {"cpu-hz=350000000", "l2cr=0xB6834000", 100000000},
    };
    testkit::ScopedMachine machine;
    machine.loadExtension();
    for (const auto& c : cases) {
        machine.set({c.cpuHz, c.l2cr});
        ProbeProcessor processor;
        EXPECT_EQ(processor.getL2CacheSpeed(), c.expected) << c.cpuHz << " " << c.l2cr;
    }
}

TEST(PProcessor, WritesWholeL2CRAndReadModifyWritesHID0)
{
    testkit::ScopedMachine machine;
    machine.set({"hid0=0x8010C080", "l2cr=0x00000000"});
    machine.loadExtension();
    ProbeProcessor processor;
    processor.setHID0Bits(0x00000208);
    processor.clearHID0Bits(0x00000080);
    processor.setL2CR(0xB9800000);
    const std::vector<std::string> expected {
        "hw.KorvendaleHID0 0x8010C080 -> 0x8010C288",
        "hw.KorvendaleHID0 0x8010C288 -> 0x8010C208",
        "hw.KorvendaleL2CR 0x00000000 -> 0xB9800000",
    };
    EXPECT_EQ(Writes(machine), expected);
    EXPECT_EQ(machine.get("hid0"), 0x8010C208u);
    EXPECT_EQ(machine.get("l2cr"), 0xB9800000u);
}

// Without the extension the nodes are absent: their fields are 0, not
// whatever memory held, while the clocks and the model still answer.
TEST(PProcessor, WithoutTheExtension)
{
    testkit::ScopedMachine machine;
    machine.set({"pvr=0x000C0209", "hid1=0xA0000000", "l2cr=0xA9800000", "hid0=0x8010C0A4",
        "cpu-hz=400000000", "model=PowerMac3,1"});
    ProbeProcessor processor;
    EXPECT_EQ(processor.getPVR(), 0u);
    EXPECT_EQ(processor.getHID1(), 0u);
    EXPECT_EQ(processor.getDefaultL2CR(), 0u);
    EXPECT_EQ(Pascal(processor.getName()), "Unrecognized CPU");
    EXPECT_EQ(processor.getSpeed(), 400000000u);
    EXPECT_EQ(Pascal(processor.getMachineName()), "Power Macintosh G4 (Sawtooth)");
    EXPECT_EQ(processor.getL2CR(), 0u);
    EXPECT_EQ(processor.getHID0(), 0u);
    EXPECT_EQ(processor.getTemperature(), 0u);
    EXPECT_EQ(processor.getL2CacheSpeed(), 0u);
    processor.setHID0Bits(0x00100000);
    processor.clearHID0Bits(0x00000080);
    EXPECT_EQ(Writes(machine), std::vector<std::string> {});
    EXPECT_EQ(machine.get("hid0"), 0x8010C0A4u);
}

TEST(PProcessor, UnreadableMachineGivesZerosAndNoName)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    {
        std::ofstream state(machine.directory() / "state", std::ios::trunc);
        state << "this is not a machine\n";
    }
    ProbeProcessor processor;
    EXPECT_EQ(processor.getPVR(), 0u);
    EXPECT_EQ(processor.getSpeed(), 0u);
    EXPECT_EQ(processor.getBusSpeed(), 0u);
    EXPECT_EQ(processor.getMachineName()[0], 0);
    EXPECT_EQ(Pascal(processor.getName()), "Unrecognized CPU");
}

// The simulated machine holds models of at most 255 characters; the longest
// one fills the 256-byte buffer together with its terminating zero.
TEST(PProcessor, ModelIdentifierKeptWhole)
{
    const size_t lengths[] = {1, 254, 255};
    testkit::ScopedMachine machine;
    for (size_t length : lengths) {
        std::string model = std::string("PowerMac").substr(0, length);
        model.resize(length, 'M');
        machine.set({"model=" + model});
        ProbeProcessor processor;
        ConstStringPtr name = processor.getMachineName();
        EXPECT_EQ(size_t(name[0]), length);
        EXPECT_EQ(Pascal(name), model);
    }
}

TEST(PProcessor, InitPProcessorBuildsTheObjectOnce)
{
    testkit::ScopedMachine machine;
    machine.set({"pvr=0x00083214"});
    machine.loadExtension();
    PProcessor::InitPProcessor();
    PProcessor* first = theProcessor;
    ASSERT_NE(first, nullptr);
    UInt32 pvr = first->getPVR();
    machine.set({"pvr=0x000C0209"});
    PProcessor::InitPProcessor();
    EXPECT_EQ(theProcessor, first);
    EXPECT_EQ(theProcessor->getPVR(), pvr);
}

} // namespace
