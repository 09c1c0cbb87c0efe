// Readable decodings of the registers for "macsim show". The stand-in keeps
// its own small tables (hardware names from the processor manuals); it does
// not borrow the system's.
#pragma once

#include <cstdint>
#include <string>

namespace macsim::cli {

std::string describePVR(uint32_t pvr);
std::string describeHID0(uint32_t hid0);
// HID1 and L2CR are laid out as on the 750 and 7400/7410; the 745x and the
// 60x parts are described for what they are rather than mis-decoded.
std::string describeHID1(uint32_t hid1, uint32_t pvr, uint32_t cpuHz, uint32_t busHz);
std::string describeL2CR(uint32_t l2cr, uint32_t pvr, uint32_t cpuHz);
std::string describeL2Config(uint32_t l2cr); // size, SRAM type, hold, clock
std::string megahertz(uint32_t hz); // "400.00 MHz"

// The L2 clock in Hz that L2CR's ratio gives at `cpuHz` (0 when clock off).
uint32_t l2ClockHz(uint32_t l2cr, uint32_t cpuHz);

} // namespace macsim::cli
