#include <macsim/MachineLocation.h>

#include <cstdlib>

namespace macsim {

std::filesystem::path machineDirectory()
{
    // FIXME: placeholder until the machine store lands.
    if (const char* dir = std::getenv("MACSIM_MACHINE"))
        return dir;
    return std::filesystem::path(std::getenv("HOME") ? std::getenv("HOME") : "/tmp") / ".local/share/macsim/default";
}

std::filesystem::path diskDirectory()
{
    return machineDirectory() / "disk";
}

} // namespace macsim
