// Writers interrupted and writers at once: no write is lost or half made, the
// state always parses, and the journal tells one consistent story.
#include "MacsimTestSupport.h"
#include "testkit/Files.h"
#include "testkit/ScopedMachine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <thread>

using macsimtest::macsim;
using macsimtest::probe;

namespace {

// Sequence numbers run 1, 2, 3, ... and each node's entries chain: the old
// word of one write is the new word of the one before.
void expectUnbrokenChains(
    const std::vector<testkit::JournalWrite>& writes, std::map<std::string, uint32_t> last)
{
    uint32_t seq = 1;
    for (const testkit::JournalWrite& w : writes) {
        EXPECT_EQ(w.seq, seq++);
        EXPECT_EQ(w.oldWord, last[w.node]) << "write " << w.seq << " of " << w.node;
        last[w.node] = w.newWord;
    }
}

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
    const auto writes = machine.writes("macsim-node-probe");
    EXPECT_EQ(writes.size(), 2 * writesEach);
    expectUnbrokenChains(writes, {{"hw.KorvendaleHID0", 0x8010C080}, {"hw.KorvendaleL2CR", 0xB9000000}});
}

// A writer killed after its journal entry and before the state was stored
// leaves that entry (numbered past the stored count) and a half-made new
// state behind. Neither is believed: reads give the stored state, the journal
// hides the entry, and the next write takes its number.
TEST(Concurrency, AWriterKilledMidWriteLeavesTheStoredState)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    ASSERT_EQ(probe(machine.directory(), {"write", "hw.KorvendaleL2CR", "0x80000000"}).status, 0);
    const std::string journal = machine.journal();
    ASSERT_EQ(journal, "1 hw.KorvendaleL2CR 0xB9000000 -> 0x80000000 macsim-node-probe\n");
    const auto dir = machine.directory();
    testkit::writeText(dir / "journal", journal + "2 hw.KorvendaleL2CR 0x80000000 -> 0xA9800000 killed\n");
    testkit::writeText(dir / "state.new", "pvr=0x000C");

    EXPECT_EQ(machine.get("l2cr"), 0x80000000u);
    EXPECT_EQ(machine.journal(), journal);
    ASSERT_EQ(probe(dir, {"write", "hw.KorvendaleL2CR", "0x88000000"}).status, 0);
    EXPECT_EQ(
        machine.journal(), journal + "2 hw.KorvendaleL2CR 0x80000000 -> 0x88000000 macsim-node-probe\n");
    EXPECT_EQ(machine.get("l2cr"), 0x88000000u);
}

// The journal names each writer by its program name, which may hold a line
// break; the entry must stay one line.
TEST(Concurrency, AProgramNameWithALineBreakStaysOneEntry)
{
    testkit::ScopedMachine machine;
    machine.loadExtension();
    testkit::TempDir folder;
    const auto renamed = folder.path() / "odd\nprobe";
    std::filesystem::copy_file(testkit::binDirectory() / "macsim-node-probe", renamed);
    ASSERT_EQ(testkit::run(renamed.string(), {"write", "hw.KorvendaleL2CR", "0x80000000"}).status, 0);
    EXPECT_EQ(machine.journal(), "1 hw.KorvendaleL2CR 0xB9000000 -> 0x80000000 odd?probe\n");
}

} // namespace
