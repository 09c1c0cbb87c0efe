// Node reads run several times in every program start, so they take no lock
// and read the state file once each (see StateFile.h).
#include <macsim/Journal.h>
#include <macsim/MachineLocation.h>
#include <macsim/MachineStore.h>
#include <macsim/Nodes.h>
#include <macsim/StateFile.h>

#include <cerrno>
#include <cstring>

namespace macsim {

namespace {

struct RegisterNode {
    const char* name;
    uint32_t MachineState::*word;
    bool writable;
};

constexpr RegisterNode registerNodes[] = {
    {"hw.KorvendalePVR", &MachineState::pvr, false},
    {"hw.KorvendaleHID0", &MachineState::hid0, true},
    {"hw.KorvendaleHID1", &MachineState::hid1, false},
    {"hw.KorvendaleTemp", nullptr, false},
    {"hw.KorvendaleL2CR", &MachineState::l2cr, true},
    {"hw.KorvendaleDefL2CR", &MachineState::defL2cr, false},
};

const RegisterNode* findNode(const char* name)
{
    for (const RegisterNode& node : registerNodes) {
        if (std::strcmp(node.name, name) == 0)
            return &node;
    }
    return nullptr;
}

uint32_t wordOf(const RegisterNode& node, const MachineState& state)
{
    return node.word ? state.*node.word : uint32_t(state.temp);
}

// Machine-level failures carry a message and are shown; a missing or
// read-only node is an ordinary sysctl answer and is not.
int answer(const Error& error)
{
    if (error && !error.message.empty())
        reportOnce(error);
    return error.code;
}

int loadCurrent(MachineState& state)
{
    return answer(readState(machineDirectory().string(), state));
}

int readText(std::string MachineState::*field, std::string& text)
{
    MachineState state;
    if (int err = loadCurrent(state))
        return err;
    text = state.*field;
    return 0;
}

} // namespace

int readRegisterNode(const char* name, uint32_t& word)
{
    const RegisterNode* node = findNode(name);
    if (!node)
        return ENOENT;
    MachineState state;
    if (int err = loadCurrent(state))
        return err;
    if (!state.kextLoaded)
        return ENOENT;
    word = wordOf(*node, state);
    return 0;
}

int writeRegisterNode(const char* name, uint32_t word, const char* program)
{
    const RegisterNode* node = findNode(name);
    if (!node)
        return ENOENT;
    return answer(updateState(machineDirectory().string(), [&](MachineState& state, std::string& journal) {
        if (!state.kextLoaded)
            return Error {ENOENT, {}};
        if (!node->writable)
            return Error {EPERM, {}};
        uint32_t old = state.*node->word;
        state.*node->word = word;
        journal += journalLine(++state.journalSeq, node->name, old, word, program);
        return Error {};
    }));
}

int readClocks(uint32_t& cpuHz, uint32_t& busHz)
{
    MachineState state;
    if (int err = loadCurrent(state))
        return err;
    cpuHz = state.cpuHz;
    busHz = state.busHz;
    return 0;
}

int readModel(std::string& model)
{
    return readText(&MachineState::model, model);
}

int readBootArgs(std::string& text)
{
    return readText(&MachineState::bootArgs, text);
}

} // namespace macsim
