#include <macsim/Extension.h>
#include <macsim/MachineStore.h>

namespace macsim {

namespace {

constexpr uint32_t sizeCode(uint32_t sizeK)
{
    switch (sizeK) {
    case 256:
        return 0x10000000;
    case 512:
        return 0x20000000;
    case 1024:
        return 0x30000000;
    default: // 2048: the size field's 0 code
        return 0x00000000;
    }
}

constexpr uint32_t ramCodes[] = {0x00000000, 0x01000000, 0x01800000};

} // namespace

uint32_t runL2Test(const MachineState& state)
{
    if (state.l2TestAllocFails)
        return 0xFFFFFFFF;
    if (state.sramBad || state.sramSizeK == 0)
        return 0;
    uint32_t word = sizeCode(state.sramSizeK);
    word |= state.sramType < 3 ? ramCodes[state.sramType] : 0;
    word |= (state.sramHold & 3) << 16;
    if (state.sramDifferential)
        word |= 0x00004000;
    return word;
}

Error loadExtension(const std::string& machineDir, bool& wasLoaded)
{
    return updateState(machineDir, [&](MachineState& state, std::string&) {
        wasLoaded = state.kextLoaded != 0;
        if (!wasLoaded) {
            state.kextLoaded = 1;
            state.defL2cr = runL2Test(state);
        }
        return Error {};
    });
}

Error unloadExtension(const std::string& machineDir)
{
    return updateState(machineDir, [](MachineState& state, std::string&) {
        state.kextLoaded = 0;
        return Error {};
    });
}

void powerOnReset(MachineState& state)
{
    state.hid0 = state.romHid0;
    state.l2cr = state.romL2cr;
    state.kextLoaded = 0;
}

} // namespace macsim
