// The simulated Macintosh: every answer comes from the macsim machine in use
// (MACSIM_MACHINE, else the default machine). It runs Mac OS X, so its
// kern.ostype is "Darwin".
#pragma once

#include <machine/Machine.h>

namespace machine {

class SimulatedMachine : public Machine {
public:
    Kind kind() const override { return Kind::Simulated; }
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
};

} // namespace machine
