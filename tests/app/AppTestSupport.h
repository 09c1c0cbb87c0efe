// Running Tarnwick X as a user would, on the simulated Macintosh that a
// testkit::ScopedMachine made current, and reading what it left behind: the
// dialogs it showed and its snapshots (the preferences file and the register
// writes are read through the machine).
#pragma once

#include <testkit/Files.h>
#include <testkit/PrefsRecord.h>
#include <testkit/Process.h>
#include <testkit/ScopedMachine.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace apptest {

namespace fs = std::filesystem;
using testkit::readBytes;
using testkit::writeBytes;

using AppRun = testkit::ScriptedRun;

// Runs tarnwick-x headless with `script`, in which "@DIR@" stands for the
// run's folder.
inline AppRun runTarnwick(const std::string& script, const testkit::Environment& env = {})
{
    return testkit::runScripted("tarnwick-x", script, env);
}
// The same as the unprivileged user "nobody": the machine's folders are
// opened for reading, the startup item's folder stays root's.
AppRun runTarnwickAsNobody(testkit::ScopedMachine& machine, const std::string& script);

// The new values tarnwick-x wrote to `node`, oldest first.
std::vector<uint32_t> writesByApp(testkit::ScopedMachine& machine, const std::string& node);

// Whether two snapshots show the same pixels in a screen rectangle (global,
// right and bottom excluded).
bool sameRegion(const fs::path& a, const fs::path& b, int left, int top, int right, int bottom);

// Compares the window's content area (global left 150, top 60, width 370,
// `contentHeight` high) in a snapshot with the golden app/<name>.
void expectWindowMatchesGolden(const fs::path& snapshot, const std::string& name, int contentHeight);

} // namespace apptest
