// The kernel extension stand-in: loading it publishes the six register nodes
// and runs its L2 test, which finds DefL2CR from the installed SRAM.
#pragma once

#include <macsim/Error.h>
#include <macsim/MachineState.h>

#include <cstdint>
#include <string>

namespace macsim {

// DefL2CR as the extension's L2 test finds it: the SRAM's size, type, output
// hold and differential clock (L2E and L2CLK clear); 0 when no working
// configuration exists (bad or no SRAM); 0xFFFFFFFF when the test cannot
// allocate its 512K block and so does not run.
uint32_t runL2Test(const MachineState& state);

// Loads the extension into the machine. When it is loaded already nothing
// changes (the test ran when it was loaded) and `wasLoaded` says so.
Error loadExtension(const std::string& machineDir, bool& wasLoaded);
Error unloadExtension(const std::string& machineDir);

// A power-on reset: HID0 and L2CR as the ROM leaves them, extension unloaded.
// Everything else (what the hardware is, DefL2CR, temperature) stays.
void powerOnReset(MachineState& state);

} // namespace macsim
