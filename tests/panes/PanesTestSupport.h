// Running the panes sample headless under an event script, and reading what
// it reports: hook lines, structure dumps (printed by its "d" key) and
// snapshots.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace panes {

struct SampleRun {
    int status = -1;
    std::string err;
    std::vector<std::string> lines; // lines after the first idle pass: the script's doing; dumps left out
    std::vector<std::string> dumps; // each structure dump, in order
    std::filesystem::path dir; // where the script's snapshots went

    // The lines from the first that starts with `first` on (all if none does).
    std::vector<std::string> linesFrom(const std::string& first) const;
    std::filesystem::path snapshot(const std::string& name) const { return dir / name; }
};

// Runs the sample headless with `script`, in which "@DIR@" stands for a
// fresh temporary folder (for snapshots).
SampleRun runSample(const std::string& script);

// Compares `actual` with tests/panes/expected/<name>.txt; a missing file
// fails. UPDATE_GOLDENS=1 writes it instead.
void expectMatchesExpected(const std::string& actual, const std::string& name);

// The line of `dump` that starts with `prefix`, or "" if none.
std::string lineStarting(const std::string& dump, const std::string& prefix);

} // namespace panes
