// A fresh simulated Macintosh for one test, made with the `macsim` command in
// a temporary directory and removed afterwards. While it lives,
// MACSIM_MACHINE names it, so every program the test starts runs on it.
// Also reads back what programs left on it: node writes in its journal and
// the preferences file in the startup item's folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testkit {

// One node write as the machine's journal records it.
struct JournalWrite {
    uint32_t seq = 0;
    std::string node; // "hw.KorvendaleL2CR"
    uint32_t oldWord = 0;
    uint32_t newWord = 0;
    std::string program;
};

// "SEQ NODE 0xOLD -> 0xNEW PROGRAM" lines; a line of another shape fails the test.
std::vector<JournalWrite> parseJournal(const std::string& text);

class ScopedMachine {
public:
    explicit ScopedMachine(const std::string& preset = {});
    ~ScopedMachine();
    ScopedMachine(const ScopedMachine&) = delete;
    ScopedMachine& operator=(const ScopedMachine&) = delete;

    const std::filesystem::path& directory() const { return dir_; }
    std::filesystem::path disk() const { return dir_ / "disk"; }

    // `macsim` verbs on this machine; each fails the test if the verb fails.
    void set(const std::vector<std::string>& assignments); // {"l2cr=0x...", "temp=45"}
    void loadExtension(); // macsim kext load
    void unloadExtension(); // macsim kext unload
    void boot(); // macsim boot
    uint32_t get(const std::string& field); // macsim get FIELD
    std::string journal(); // macsim journal
    std::string show(); // macsim show

    // Lets other users (a program run as "nobody") look into the machine's
    // folders; what each folder inside allows stays as it was.
    void openForReading();

    // Every write the journal holds, oldest first; with `program`, only its
    // writes, and with `node` as well, only those of that node.
    std::vector<JournalWrite> writes(const std::string& program = {}, const std::string& node = {});
    // The same as "NODE 0xOLD -> 0xNEW" lines, e.g. "hw.KorvendaleL2CR 0xB9000000 -> 0x00000000".
    std::vector<std::string> writeLines(const std::string& program, const std::string& node = {});

    // The startup item's folder on the disk, which holds "Tarnwick X Prefs".
    std::filesystem::path prefsFolder() const;
    std::filesystem::path prefsFile() const { return prefsFolder() / "Tarnwick X Prefs"; }

private:
    std::string macsim(const std::vector<std::string>& args);
    std::filesystem::path dir_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// A bare machine for File Manager tests: a temporary machine folder holding
// an empty disk/, named by MACSIM_MACHINE while it lives. Needs nothing of
// the macsim tools. Searchable by everyone, so unprivileged children reach it.
class TempDisk {
public:
    TempDisk();
    ~TempDisk();
    TempDisk(const TempDisk&) = delete;
    TempDisk& operator=(const TempDisk&) = delete;

    const std::filesystem::path& machine() const { return machine_; }
    std::filesystem::path disk() const { return machine_ / "disk"; }

private:
    std::filesystem::path machine_;
    std::string previous_;
    bool hadPrevious_ = false;
};

} // namespace testkit
