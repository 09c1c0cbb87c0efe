// Shared by the startup item's tests: a fresh simulated Macintosh with a
// preferences file placed on its disk, runs of the startup item (under
// `macsim boot` or by itself), and the register writes it made.
#pragma once

#include "testkit/Files.h"
#include "testkit/Process.h"
#include "testkit/ScopedMachine.h"

#include <cstdint>
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

using Writes = std::vector<std::string>; // "hw.KorvendaleHID0 0x8010C080 -> 0x8010C0A0"

// The startup item as the build makes it.
std::string itemProgram();

class StartupTest : public ::testing::Test {
protected:
    // Puts a version 4 record with `settings` in the startup item's folder.
    void savePrefs(const SavedSettings& settings);
    void savePrefsBytes(const testkit::Bytes& bytes);

    // `macsim boot`, which runs the startup item from the disk.
    testkit::ProcessResult boot() { return testkit::run("macsim", {"boot"}); }
    // The startup item alone, as a process, with `args`.
    testkit::ProcessResult runItem(const std::vector<std::string>& args = {});

    // The writes the startup item made (of `node` only, if given).
    Writes itemWrites(const std::string& node = {}) { return machine.writeLines("Korvendale Startup", node); }

    std::filesystem::path folder() const { return machine.prefsFolder(); }
    std::filesystem::path prefsFile() const { return machine.prefsFile(); }

    // The preferences file must come out of every run as it went in.
    void TearDown() override;

    testkit::ScopedMachine machine;

private:
    std::optional<testkit::Bytes> savedBytes_;
};

} // namespace startuptest
