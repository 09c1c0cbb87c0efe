// The machine the stand-in answers for. Two kinds exist: the simulated
// Macintosh (macsim), and a real Linux machine that runs the korvendale
// kernel module. One is chosen the first time anything asks, and every later
// answer in the process comes from it: sysctl nodes, CTL_HW values, Gestalt,
// the File Manager's startup disk and the commands system(3) runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace machine {

enum class Kind { Simulated, Linux };

// The rule: MACSIM_MACHINE set (not empty) asks for the simulated machine;
// otherwise the module's nodes existing, or a PowerPC processor ("ppc",
// "ppc64" ... as uname reports it), make it the real machine; anywhere else
// the simulated machine answers.
Kind chooseKind(const char* macsimMachine, bool moduleNodesExist, std::string_view processorArchitecture);

// What the rule gives for this process, from its environment, /proc and uname.
Kind detectKind();

class Machine {
public:
    virtual ~Machine() = default;

    virtual Kind kind() const = 0;

    // A sysctl node by name, as the BSD call sees it. Register nodes
    // ("hw.Korvendale...") hold a 32-bit word; kern.ostype and kern.bootargs
    // (the words the system was booted with) hold text.
    // Results are 0 or an errno value; failures change nothing.
    virtual int readWord(const char* name, uint32_t& word) = 0;
    virtual int writeWord(const char* name, uint32_t word) = 0;
    virtual int readOSType(std::string& text) = 0;
    virtual int readBootArgs(std::string& text) = 0;

    // CTL_HW by number: hw.cpufrequency, hw.busfrequency, hw.model.
    virtual int readClocks(uint32_t& cpuHz, uint32_t& busHz) = 0;
    virtual int readModel(std::string& model) = 0;

    // Gestalt 'mach' and 'cput', and whether Classic is running ('bbox').
    // false when the machine cannot tell (gestaltUnknownErr).
    virtual bool machineType(int32_t& mach) = 0;
    virtual bool processorType(int32_t& cput) = 0;
    virtual bool insideClassic(bool& classic) = 0;

    // The folder that stands for the Mac's startup disk ("/"); it may not
    // exist. diskImage: a file holding the volume's blocks, if the machine
    // has one (empty otherwise: the host device under the folder is used).
    virtual std::filesystem::path diskFolder() = 0;
    virtual std::filesystem::path diskImage() = 0;

    // The program and arguments that carry out a Mac command line, split at
    // blanks: Mac paths are the machine's, and the machine decides what its
    // kernel-extension loader is. Empty when there is nothing to run.
    virtual std::vector<std::string> hostCommand(const std::vector<std::string>& words) = 0;
};

// The machine of this process, chosen once by detectKind().
Machine& current();

} // namespace machine
