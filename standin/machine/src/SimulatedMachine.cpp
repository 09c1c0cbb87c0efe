#include <machine/SimulatedMachine.h>

#include <macsim/Error.h>
#include <macsim/MachineLocation.h>
#include <macsim/Nodes.h>
#include <macsim/StateFile.h>

#include <cerrno>
#include <errno.h> // program_invocation_short_name
#include <sys/stat.h>

namespace machine {

namespace {

// One value of the machine's state; false (and the reason on stderr, once)
// when the state cannot be read.
template<typename Value, typename Field> bool fromState(Value& value, Field field)
{
    macsim::MachineState state;
    if (macsim::Error e = macsim::readState(macsim::machineDirectory().string(), state)) {
        macsim::reportOnce(e);
        return false;
    }
    value = field(state);
    return true;
}

} // namespace

int SimulatedMachine::readWord(const char* name, uint32_t& word)
{
    return macsim::readRegisterNode(name, word);
}

int SimulatedMachine::writeWord(const char* name, uint32_t word)
{
    return macsim::writeRegisterNode(name, word, program_invocation_short_name);
}

int SimulatedMachine::readOSType(std::string& text)
{
    text = "Darwin";
    return 0;
}

int SimulatedMachine::readBootArgs(std::string& text)
{
    return macsim::readBootArgs(text);
}

int SimulatedMachine::readClocks(uint32_t& cpuHz, uint32_t& busHz)
{
    return macsim::readClocks(cpuHz, busHz);
}

int SimulatedMachine::readModel(std::string& model)
{
    return macsim::readModel(model);
}

bool SimulatedMachine::machineType(int32_t& mach)
{
    return fromState(mach, [](const macsim::MachineState& state) { return int32_t(state.gestaltMach); });
}

bool SimulatedMachine::processorType(int32_t& cput)
{
    return fromState(cput, [](const macsim::MachineState& state) { return int32_t(state.gestaltCput); });
}

bool SimulatedMachine::insideClassic(bool& classic)
{
    return fromState(classic, [](const macsim::MachineState& state) { return state.classic != 0; });
}

std::filesystem::path SimulatedMachine::diskFolder()
{
    return macsim::diskDirectory();
}

std::filesystem::path SimulatedMachine::diskImage()
{
    std::filesystem::path image = macsim::machineDirectory() / "disk.img";
    struct stat st;
    if (::stat(image.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return image;
    return {};
}

std::vector<std::string> SimulatedMachine::hostCommand(const std::vector<std::string>& words)
{
    // Absolute paths are Mac paths, found on the machine's disk; the disk's
    // sbin/kextload is the simulated extension's loader.
    const std::string disk = diskFolder().string();
    std::vector<std::string> command = words;
    for (std::string& word : command) {
        if (!word.empty() && word.front() == '/')
            word = disk + word;
    }
    return command;
}

} // namespace machine
