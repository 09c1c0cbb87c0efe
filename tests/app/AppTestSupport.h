// Running Tarnwick X as a user would, on the simulated Macintosh that a
// testkit::ScopedMachine made current, and reading what it left behind: the
// dialogs it showed, its snapshots, the preferences file and the register
// writes in the machine's journal.
#pragma once

#include <testkit/ScopedMachine.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace apptest {

namespace fs = std::filesystem;

struct AppRun {
    int status = -1;
    std::string out;
    std::string err;
    fs::path dir; // a fresh folder for the run's snapshots ("@DIR@" in the script)

    // The Dialog Manager's log lines: "alert 10001: a | b | c | d", "dialog 130 -> 2".
    std::vector<std::string> dialogs() const;
    fs::path snapshot(const std::string& name) const { return dir / name; }
};

// Runs tarnwick-x headless with `script`, in which "@DIR@" stands for the
// run's folder.
AppRun runTarnwick(const std::string& script, const std::map<std::string, std::string>& env = {});
// The same as the unprivileged user "nobody" (uid 65534): the machine's
// folders are opened for reading, the startup item's folder stays root's.
AppRun runTarnwickAsNobody(testkit::ScopedMachine& machine, const std::string& script);

// "Tarnwick X Prefs" in the startup item's folder of the machine's disk.
fs::path prefsPath(const testkit::ScopedMachine& machine);
std::vector<uint8_t> readFile(const fs::path& path); // empty when absent
void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes);

struct JournalWrite {
    std::string node;
    uint32_t oldValue = 0;
    uint32_t newValue = 0;
    std::string program;
};
// Every node write the machine recorded, oldest first.
std::vector<JournalWrite> journalWrites(testkit::ScopedMachine& machine);
// The new values written to `node` by tarnwick-x, oldest first.
std::vector<uint32_t> writesByApp(testkit::ScopedMachine& machine, const std::string& node);

// Whether two snapshots show the same pixels in a screen rectangle (global,
// right and bottom excluded).
bool sameRegion(const fs::path& a, const fs::path& b, int left, int top, int right, int bottom);

// Compares the window's content area (global left 150, top 60, width 370,
// `contentHeight` high) in a snapshot with the golden app/<name>.
void expectWindowMatchesGolden(const fs::path& snapshot, const std::string& name, int contentHeight);

} // namespace apptest
