// Machine presets: realistic stock configurations, as data. A preset gives
// what the hardware is (model, clocks, processor, installed L2 SRAM) and what
// the boot ROM leaves in HID0 and L2CR at power-on.
#pragma once

#include <macsim/MachineState.h>

#include <cstdint>
#include <span>
#include <string_view>

namespace macsim {

struct Preset {
    const char* name;
    const char* description;
    const char* model;
    uint32_t gestaltMach;
    uint32_t gestaltCput;
    uint32_t cpuHz;
    uint32_t busHz;
    uint32_t pvr;
    uint32_t hid1;
    uint32_t romHid0;
    uint32_t romL2cr;
    uint32_t sramSizeK; // 0: no backside SRAM
    uint32_t sramType;
    uint32_t sramHold;
    uint32_t sramDifferential;
    uint32_t sramMaxHz;
    int32_t temp;
};

constexpr const char* defaultPresetName = "sawtooth-400";

std::span<const Preset> allPresets();
const Preset* findPreset(std::string_view name);

// A machine just made from the preset: registers at their power-on values,
// extension not loaded, DefL2CR not yet published (0).
MachineState stateFromPreset(const Preset& preset);

} // namespace macsim
