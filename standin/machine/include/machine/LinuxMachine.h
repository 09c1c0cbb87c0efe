// The real machine: Linux on a PowerPC Macintosh with the korvendale module.
// Register nodes are the module's files /proc/sys/hw/Korvendale*, holding
// the word as decimal text and a newline (the temperature signed); what the
// firmware knows (model, clocks, machine class, processor) comes from the
// device tree; the boot arguments are the kernel's command line
// (/proc/cmdline); the Mac disk is a state folder of its own.
#pragma once

#include <machine/Machine.h>

namespace machine {

struct LinuxPaths {
    std::filesystem::path procSys = "/proc/sys";
    std::filesystem::path deviceTree = "/proc/device-tree";
    std::filesystem::path stateFolder; // empty: the configured state folder
};

class LinuxMachine : public Machine {
public:
    explicit LinuxMachine(LinuxPaths paths = {});

    Kind kind() const override { return Kind::Linux; }
    int readWord(const char* name, uint32_t& word) override;
    int writeWord(const char* name, uint32_t word) override;
    int readOSType(std::string& text) override;
    int readBootArgs(std::string& text) override;
    int readClocks(uint32_t& cpuHz, uint32_t& busHz) override;
    int readModel(std::string& model) override;
    bool machineType(int32_t& mach) override;
    bool processorType(int32_t& cput) override;
    bool insideClassic(bool& classic) override;
    std::filesystem::path diskFolder() override;
    std::filesystem::path diskImage() override;
    std::vector<std::string> hostCommand(const std::vector<std::string>& words) override;

private:
    // The cpu node: the first child of /cpus (in name order) whose
    // device_type is "cpu"; empty when there is none.
    std::filesystem::path cpuNode() const;

    LinuxPaths paths_;
    bool madeStartupFolder_ = false;
};

// The module's text form. A read gives one decimal number and an optional
// newline; a leading minus is allowed (the temperature), and the value must
// fit 32 bits either way. Anything else is refused.
bool parseNodeText(std::string_view text, uint32_t& word);

// The configured state folder (one setting for every program).
std::filesystem::path stateFolder();

} // namespace machine
