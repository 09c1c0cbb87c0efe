// Where the simulated Macintosh lives on the host. A machine is a directory:
// its startup disk (a folder tree) and its hardware state (one text file).
#pragma once

#include <filesystem>

namespace macsim {

// The machine in use: $MACSIM_MACHINE, else $XDG_DATA_HOME/macsim/default
// (falling back to ~/.local/share/macsim/default). These only compute paths
// and never check the machine; the one exception is the default machine,
// which is created from the default preset (under the machine lock) the
// first time any program asks for it. A machine named by MACSIM_MACHINE must
// already exist: using it reports a clear error.
std::filesystem::path machineDirectory();

// The machine's startup disk: the folder that stands for "/" on the Mac.
std::filesystem::path diskDirectory();

// The default location, whether or not a machine exists there.
std::filesystem::path defaultMachineDirectory();

} // namespace macsim
