#include <machine/LinuxMachine.h>
#include <machine/SimulatedMachine.h>

#include <cstdlib>
#include <sys/utsname.h>
#include <unistd.h>

namespace machine {

Kind chooseKind(const char* macsimMachine, bool moduleNodesExist, std::string_view processorArchitecture)
{
    if (macsimMachine && macsimMachine[0])
        return Kind::Simulated;
    if (moduleNodesExist || processorArchitecture.starts_with("ppc"))
        return Kind::Linux;
    return Kind::Simulated;
}

Kind detectKind()
{
    struct utsname names { };
    const bool named = uname(&names) == 0;
    return chooseKind(std::getenv("MACSIM_MACHINE"), access("/proc/sys/hw/KorvendalePVR", F_OK) == 0,
        named ? names.machine : "");
}

namespace {

Machine& chosenMachine()
{
    if (detectKind() == Kind::Linux) {
        static LinuxMachine real;
        return real;
    }
    static SimulatedMachine simulated;
    return simulated;
}

} // namespace

Machine& current()
{
    // Chosen once: a process never mixes answers from two machines.
    static Machine& chosen = chosenMachine();
    return chosen;
}

} // namespace machine
