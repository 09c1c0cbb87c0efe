// Programs changing the machine at once: no write is lost, the state always
// parses, and the journal tells one consistent story.
#include "MacsimTestSupport.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <thread>

using macsimtest::macsim;
using macsimtest::probe;

namespace {

TEST(Concurrency, SimultaneousWritersLoseNothing)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    constexpr unsigned writesEach = 150;

    testkit::ProcessResult hid0Run, l2crRun;
    std::vector<int> setStatus;
    std::thread hid0Writer([&] {
        hid0Run = probe(
            machine.directory(), {"loop", "hw.KorvendaleHID0", "0x10000", std::to_string(writesEach)});
    });
    std::thread l2crWriter([&] {
        l2crRun = probe(
            machine.directory(), {"loop", "hw.KorvendaleL2CR", "0x20000", std::to_string(writesEach)});
    });
    std::thread setter([&] {
        for (int t = 0; t < 20; ++t) {
            setStatus.push_back(macsim(machine.directory(), {"set", "temp=" + std::to_string(t)}).status);
            // Readers never see a torn state while the writers run.
            EXPECT_EQ(macsim(machine.directory(), {"get", "pvr"}).out, "0x000C0209\n");
        }
    });
    hid0Writer.join();
    l2crWriter.join();
    setter.join();

    EXPECT_EQ(hid0Run.status, 0) << hid0Run.out;
    EXPECT_EQ(l2crRun.status, 0) << l2crRun.out;
    EXPECT_EQ(setStatus, std::vector<int>(20, 0));
    EXPECT_EQ(machine.get("hid0"), 0x10000u + writesEach - 1);
    EXPECT_EQ(machine.get("l2cr"), 0x20000u + writesEach - 1);
    EXPECT_EQ(machine.get("temp"), 19u);
    EXPECT_EQ(machine.get("journal-seq"), 2 * writesEach);

    // Sequence numbers run 1, 2, 3, ... and each node's entries chain: the
    // old word of one write is the new word of the one before.
    std::istringstream journal(machine.journal());
    std::map<std::string, unsigned long> last
        = {{"hw.KorvendaleHID0", 0x8010C080}, {"hw.KorvendaleL2CR", 0xB9000000}};
    std::string line;
    unsigned expectedSeq = 1;
    while (std::getline(journal, line)) {
        std::istringstream fields(line);
        unsigned seq;
        std::string node, oldWord, arrow, newWord, program;
        fields >> seq >> node >> oldWord >> arrow >> newWord >> program;
        ASSERT_EQ(seq, expectedSeq++) << line;
        ASSERT_EQ(arrow, "->");
        ASSERT_EQ(program, "macsim-node-probe");
        ASSERT_EQ(std::stoul(oldWord, nullptr, 16), last[node]) << line;
        last[node] = std::stoul(newWord, nullptr, 16);
    }
    EXPECT_EQ(expectedSeq, 2 * writesEach + 1);
}

} // namespace
