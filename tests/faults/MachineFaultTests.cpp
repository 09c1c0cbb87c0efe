// The simulated machine's state under real faults: a writer killed in the
// middle of a node write, and several programs changing the machine at once.
// The state file always parses, and no write is lost or half made.
#include "FaultKit.h"

#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <sstream>
#include <thread>

namespace {

struct JournalEntry {
    unsigned long seq = 0;
    std::string node, oldValue, newValue, program;
};

// "SEQ NODE OLD -> NEW PROGRAM" lines; a line of any other shape fails the test.
std::vector<JournalEntry> parseJournal(const std::string& text)
{
    std::vector<JournalEntry> entries;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        JournalEntry e;
        std::string arrow;
        words >> e.seq >> e.node >> e.oldValue >> arrow >> e.newValue >> e.program;
        EXPECT_TRUE(words && arrow == "->" && e.oldValue.size() == 10 && e.newValue.size() == 10)
            << "journal line: " << line;
        entries.push_back(e);
    }
    return entries;
}

// Every write starts from the value the one before it left: none was lost.
void expectUnbrokenChains(const std::vector<JournalEntry>& entries)
{
    std::map<std::string, std::string> last;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            EXPECT_EQ(entries[i].seq, entries[i - 1].seq + 1);
        }
        auto it = last.find(entries[i].node);
        if (it != last.end())
            EXPECT_EQ(entries[i].oldValue, it->second)
                << "write " << entries[i].seq << " of " << entries[i].node;
        last[entries[i].node] = entries[i].newValue;
    }
}

TEST(MachineFaults, KilledWriterLeavesAWholeState)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    const std::string before = testkit::run("macsim", {"get", "l2cr"}).out;
    for (int round = 0; round < 20; ++round) {
        faults::Child writer("faults-register-writer", {"hw.KorvendaleL2CR", "0x80000000", "0xA9800000"});
        std::this_thread::sleep_for(std::chrono::microseconds(300 + 1100 * round));
        EXPECT_EQ(writer.kill(), 128 + 9);

        testkit::ProcessResult get = testkit::run("macsim", {"get", "l2cr"});
        ASSERT_EQ(get.status, 0) << "round " << round << ": " << get.err;
        EXPECT_TRUE(get.out == "0x80000000\n" || get.out == "0xA9800000\n" || get.out == before) << get.out;
        testkit::ProcessResult tool = testkit::run("korvendalecache", {"-d"});
        EXPECT_EQ(tool.status, 0) << tool.out;
    }
    testkit::ProcessResult journal = testkit::run("macsim", {"journal"});
    ASSERT_EQ(journal.status, 0) << journal.err;
    expectUnbrokenChains(parseJournal(journal.out));
}

TEST(MachineFaults, ProgramsChangingTheMachineAtOnceLoseNothing)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    ASSERT_EQ(testkit::run("macsim", {"journal", "--clear"}).status, 0);

    faults::Child l2cr("faults-register-writer", {"hw.KorvendaleL2CR", "0x80000000", "0x88000000", "150"});
    faults::Child hid0("faults-register-writer", {"hw.KorvendaleHID0", "0x8010C0A4", "0x8010C2AC", "150"});
    for (int i = 0; i < 10; ++i) {
        testkit::ProcessResult tool = testkit::run("korvendalecache", {"-r", i % 2 ? "2.0" : "1.5"});
        EXPECT_EQ(tool.status, 0) << tool.out;
        EXPECT_NE(tool.out.find("New L2CR = 0x"), std::string::npos) << tool.out;
        testkit::ProcessResult set = testkit::run("macsim", {"set", "temp=" + std::to_string(40 + i)});
        EXPECT_EQ(set.status, 0) << set.err;
    }
    EXPECT_EQ(l2cr.wait(), 0);
    EXPECT_EQ(hid0.wait(), 0);

    testkit::ProcessResult journal = testkit::run("macsim", {"journal"});
    ASSERT_EQ(journal.status, 0) << journal.err;
    std::vector<JournalEntry> entries = parseJournal(journal.out);
    EXPECT_EQ(entries.size(), 310u);
    expectUnbrokenChains(entries);
    EXPECT_EQ(machine.get("temp"), 49u);
    EXPECT_EQ(machine.get("hid0"), 0x8010C2ACu);
}

} // namespace
