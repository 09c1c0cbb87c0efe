// boot: a power-on reset, then every startup item (see macsim/Boot.h).
#include "Cli.h"

#include <macsim/Boot.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace macsim::cli {

namespace {

constexpr const char* bootHelp = R"(usage: macsim boot

Restarts the machine: HID0 and L2CR go back to the values the boot ROM
leaves (see "macsim show"), the kernel extension is unloaded, and then every
startup item <disk>/System/Library/StartupItems/NAME/NAME runs, in name
order, with MACSIM_MACHINE naming this machine. A startup item that fails is
reported on stderr; the boot goes on, as Mac OS X's does.
)";

} // namespace

int verbBoot(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(bootHelp);
    if (!args.empty())
        return complain("boot takes no arguments");

    std::error_code ec;
    std::string machineDir = fs::absolute(currentMachine(), ec).lexically_normal().string();
    if (Error e = bootMachine(machineDir, [](const std::string& problem) { complain(problem); }))
        return complain(e);
    return 0;
}

} // namespace macsim::cli
