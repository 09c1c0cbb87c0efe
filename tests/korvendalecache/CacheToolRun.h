// One run of korvendalecache as a user runs it, on a fresh simulated Mac set
// up for the case: a G4 7400 at 45 deg C with the extension loaded.
#pragma once

#include <testkit/Process.h>
#include <testkit/ScopedMachine.h>

#include <string>
#include <vector>

namespace cachetool {

struct Setup {
    // Applied before loading the extension (registers), and after it
    // (DefL2CR, which the extension's L2 test publishes on loading).
    std::vector<std::string> hardware = {};
    std::string defL2CR = "0x21800000";
    bool loaded = true;
    // Node writes fail (the machine cannot store a new state) while reads work.
    bool writeFails = false;
};

// Makes the machine and leaves it to the caller, who may inspect it afterwards.
void prepare(testkit::ScopedMachine& machine, const Setup& setup);

testkit::ProcessResult run(const std::vector<std::string>& args);

std::string describe(const std::vector<std::string>& args);

} // namespace cachetool
