// macsim: the user's handle on the simulated PowerPC Macintosh.
#include "Cli.h"

#include <macsim/MachineLocation.h>

#include <cstdio>
#include <cstring>

namespace macsim::cli {

namespace {

constexpr const char* usage = R"(usage: macsim VERB [ARGUMENTS]

The simulated PowerPC Macintosh that Korvendale's programs run on. The
machine is the folder named by MACSIM_MACHINE, else
$XDG_DATA_HOME/macsim/default (~/.local/share/macsim/default), which is made
from the default preset the first time anything uses it.

Verbs:
  presets                           list the machine presets
  create [--preset NAME] [--force]  make the machine
  show                              print the hardware state, decoded
  get FIELD                         print one field of the state
  set FIELD=VALUE...                change fields of the state
  boot                              power-on reset, then run the startup items
  kext load|unload                  load or unload the kernel extension
  journal [--clear]                 print (or empty) the journal of node writes

"macsim VERB --help" tells more about a verb.
)";

struct Verb {
    const char* name;
    int (*run)(const Args&);
};

constexpr Verb verbs[] = {
    {"presets", verbPresets},
    {"create", verbCreate},
    {"show", verbShow},
    {"get", verbGet},
    {"set", verbSet},
    {"boot", verbBoot},
    {"kext", verbKext},
    {"journal", verbJournal},
};

} // namespace

int complain(const std::string& message)
{
    std::fprintf(stderr, "macsim: %s\n", message.c_str());
    return 1;
}

int complain(const Error& error)
{
    return complain(error.message);
}

bool wantsHelp(const Args& args)
{
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

int printHelp(const char* text)
{
    std::fputs(text, stdout);
    return 0;
}

std::string currentMachine()
{
    return machineDirectory().string();
}

} // namespace macsim::cli

int main(int argc, char** argv)
{
    using namespace macsim::cli;
    if (argc < 2) {
        std::fputs(usage, stderr);
        return 1;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0
        || std::strcmp(argv[1], "help") == 0)
        return printHelp(usage);
    Args args(argv + 2, argv + argc);
    for (const Verb& verb : verbs) {
        if (std::strcmp(argv[1], verb.name) == 0)
            return verb.run(args);
    }
    return complain(std::string("unknown verb \"") + argv[1] + "\" (see \"macsim --help\")");
}
