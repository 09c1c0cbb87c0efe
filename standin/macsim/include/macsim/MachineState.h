// The hardware state of one simulated Macintosh: what the machine is (model,
// Gestalt answers, clocks, installed L2 SRAM) and what its registers hold.
// It is persisted as the text file <machine>/state (see StateFile.h).
#pragma once

#include <cstdint>
#include <string>

namespace macsim {

// SRAM type codes, in the order of the L2RAM field codes they stand for.
enum SramType : uint32_t {
    SramFlowThrough = 0, // L2RAM 0x00000000
    SramPipelined = 1, // L2RAM 0x01000000
    SramLateWrite = 2, // L2RAM 0x01800000
};

struct MachineState {
    std::string preset; // the preset the machine was made from (informational)
    std::string model; // hw.model, e.g. "PowerMac3,1"
    uint32_t gestaltMach = 0;
    uint32_t gestaltCput = 0;
    uint32_t classic = 0; // 1: running inside the Classic environment (Gestalt 'bbox' bit 0)
    uint32_t cpuHz = 0;
    uint32_t busHz = 0;

    uint32_t pvr = 0;
    uint32_t hid0 = 0;
    uint32_t hid1 = 0;
    uint32_t l2cr = 0;
    uint32_t defL2cr = 0; // published by the extension's L2 test
    int32_t temp = 0; // degrees Celsius

    // What the boot ROM leaves in the registers at power-on.
    uint32_t romHid0 = 0;
    uint32_t romL2cr = 0;

    // The installed backside SRAM; a size of 0 means none is fitted.
    uint32_t sramSizeK = 0;
    uint32_t sramType = SramPipelined;
    uint32_t sramHold = 0; // L2OH code 0..3 (0.5, 1.0, 1.5, 2.0 ns)
    uint32_t sramDifferential = 0;
    uint32_t sramMaxHz = 0; // fastest L2 clock the SRAM runs at
    uint32_t sramBad = 0; // the L2 test finds no working configuration

    uint32_t l2TestAllocFails = 0; // the L2 test cannot allocate its 512K block
    uint32_t kextLoaded = 0;
    std::string bootArgs; // NVRAM boot-args, which the kernel publishes as kern.bootargs
    uint32_t journalSeq = 0; // node writes recorded so far
};

} // namespace macsim
