// Where the simulated Macintosh lives on the host. A machine is a directory:
// its startup disk (a folder tree) and its hardware state (one text file).
#pragma once

#include <filesystem>

namespace macsim {

// The machine in use: $MACSIM_MACHINE, else $XDG_DATA_HOME/macsim/default
// (falling back to ~/.local/share/macsim/default). The default machine is
// created from the default preset on first use; a machine named by
// MACSIM_MACHINE must already exist.
std::filesystem::path machineDirectory();

// The machine's startup disk: the folder that stands for "/" on the Mac.
std::filesystem::path diskDirectory();

} // namespace macsim
