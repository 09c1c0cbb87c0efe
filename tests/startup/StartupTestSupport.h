// Shared by the startup item's tests: a fresh simulated Macintosh, a
// preferences file placed on its disk, runs of the startup item (under
// `macsim boot` or by itself), and the register writes it made.
#pragma once

#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace startuptest {

// The settings the startup item acts on; everything else in the record is
// left as a user would typically have it.
struct SavedSettings {
    bool enableCache = true;
    uint32_t ratioSelection = 4;
    bool writeThrough = false;
    bool disableSpeculativeAccess = false;
    bool enableDPM = false;
};

// One node write from the machine's journal.
struct NodeWrite {
    std::string node;
    std::string oldWord; // as the journal prints it, "0x8010C080"
    std::string newWord;
    std::string program;
    bool operator==(const NodeWrite&) const = default;
};
void PrintTo(const NodeWrite& w, std::ostream* os);

class StartupTest : public ::testing::Test {
protected:
    // Puts a version 4 record with `settings` in the startup item's folder.
    void savePrefs(const SavedSettings& settings);
    void savePrefsBytes(const std::vector<unsigned char>& bytes);

    // `macsim boot`, which runs the startup item from the disk.
    testkit::ProcessResult boot();
    // The startup item alone, as a process, with `args`.
    testkit::ProcessResult runItem(const std::vector<std::string>& args = {});

    // The writes of `node` ("hw.KorvendaleHID0") made by the startup item.
    std::vector<NodeWrite> itemWrites(const std::string& node);
    // Every journal entry made by the startup item.
    std::vector<NodeWrite> allItemWrites();

    std::filesystem::path folder() const;
    std::filesystem::path prefsFile() const { return folder() / "Tarnwick X Prefs"; }

    // The preferences file must come out of every run as it went in.
    void TearDown() override;

    testkit::ScopedMachine machine;

private:
    std::optional<std::vector<unsigned char>> savedBytes_;
};

} // namespace startuptest
