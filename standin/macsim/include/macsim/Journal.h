// The write journal <machine>/journal: one line per node write, oldest first,
//
//     12 hw.KorvendaleL2CR 0x00000000 -> 0xA9800000 korvendalecache
//
// sequence number, node, old word, "->", new word, and the writing program
// (the rest of the line; it may hold spaces, as "Korvendale Startup" does).
// It keeps at least the last 1000 writes: past maxJournalBytes the oldest
// lines are dropped down to 1000. All changes happen under the machine lock.
#pragma once

#include <macsim/Error.h>

#include <cstdint>
#include <string>
#include <sys/types.h>

namespace macsim {

constexpr size_t journalKeptLines = 1000;
constexpr off_t maxJournalBytes = 128 * 1024;

std::string journalPath(const std::string& machineDir);

std::string journalLine(
    uint32_t seq, const char* node, uint32_t oldWord, uint32_t newWord, const char* program);

// Appends `lines` and syncs them; `previousSize` receives the length before,
// for rollbackJournal when the state that goes with them cannot be stored.
Error appendJournal(const std::string& machineDir, const std::string& lines, off_t& previousSize);
void rollbackJournal(const std::string& machineDir, off_t previousSize);
Error trimJournal(const std::string& machineDir);

// A writer killed after its journal line and before its state leaves an
// entry numbered past the state's journal-seq, for a write that never took
// effect. Readers skip such entries and the next writer removes them first.
size_t finishedJournalLength(const std::string& text, uint32_t lastStoredSeq);
Error dropUnfinishedEntries(const std::string& machineDir, uint32_t lastStoredSeq);

Error readJournal(const std::string& machineDir, std::string& text);
Error clearJournal(const std::string& machineDir);

} // namespace macsim
