// The verbs that make a machine and change it as a whole: presets, create,
// kext and journal.
#include "Cli.h"

#include <macsim/Extension.h>
#include <macsim/Journal.h>
#include <macsim/MachineLocation.h>
#include <macsim/MachineLock.h>
#include <macsim/MachineStore.h>
#include <macsim/Presets.h>
#include <macsim/StateFile.h>

#include <cstdio>
#include <cstdlib>

namespace macsim::cli {

namespace {

constexpr const char* presetsHelp = R"(usage: macsim presets

Lists the machine presets: name, model identifier and description. The
default preset is marked with "*".
)";

constexpr const char* createHelp = R"(usage: macsim create [--preset NAME] [--force]

Makes the machine at MACSIM_MACHINE (or the default location) from a preset
(default: sawtooth-400): its startup disk and its hardware state, registers
at their power-on values and the kernel extension not loaded.
Refuses when a machine is already there, unless --force replaces it.
)";

constexpr const char* kextHelp = R"(usage: macsim kext load|unload

load    loads the kernel extension, as sbin/kextload does at boot: its six
        register nodes appear and its L2 test publishes DefL2CR.
unload  unloads it; the register nodes disappear.
)";

constexpr const char* journalHelp = R"(usage: macsim journal [--clear]

Prints the journal of node writes, oldest first, one a line:
    SEQ NODE OLD -> NEW PROGRAM
e.g. "12 hw.KorvendaleL2CR 0x00000000 -> 0xA9800000 korvendalecache".
--clear empties it.
)";

} // namespace

int verbPresets(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(presetsHelp);
    if (!args.empty())
        return complain("presets takes no arguments");
    for (const Preset& p : allPresets()) {
        bool isDefault = std::string(p.name) == defaultPresetName;
        std::printf("%-18s %s %-13s %s\n", p.name, isDefault ? "*" : " ", p.model, p.description);
    }
    return 0;
}

int verbCreate(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(createHelp);
    std::string presetName = defaultPresetName;
    bool force = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--force") {
            force = true;
        } else if (args[i] == "--preset") {
            if (i + 1 == args.size())
                return complain("--preset needs a preset name (see \"macsim presets\")");
            presetName = args[++i];
        } else if (args[i].rfind("--preset=", 0) == 0) {
            presetName = args[i].substr(9);
        } else {
            return complain("unknown argument \"" + args[i] + "\" for create (see \"macsim create --help\")");
        }
    }
    const Preset* preset = findPreset(presetName);
    if (!preset)
        return complain("unknown preset \"" + presetName + "\" (see \"macsim presets\")");

    const char* named = std::getenv("MACSIM_MACHINE");
    std::string dir = named && named[0] ? named : defaultMachineDirectory().string();
    if (Error e = createMachine(dir, *preset, force ? CreateMode::Replace : CreateMode::Refuse))
        return complain(e);
    std::printf("Created a machine from preset %s at %s\n", preset->name, dir.c_str());
    return 0;
}

int verbKext(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(kextHelp);
    if (args.size() != 1 || (args[0] != "load" && args[0] != "unload"))
        return complain("kext takes \"load\" or \"unload\" (see \"macsim kext --help\")");
    if (args[0] == "load") {
        bool wasLoaded = false;
        if (Error e = loadExtension(currentMachine(), wasLoaded))
            return complain(e);
        return 0;
    }
    if (Error e = unloadExtension(currentMachine()))
        return complain(e);
    return 0;
}

int verbJournal(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(journalHelp);
    bool clear = args.size() == 1 && args[0] == "--clear";
    if (!args.empty() && !clear)
        return complain("journal takes only --clear (see \"macsim journal --help\")");

    std::string dir = currentMachine();
    MachineState state;
    if (Error e = readState(dir, state))
        return complain(e);
    if (clear) {
        MachineLock lock;
        if (Error e = lock.acquire(dir))
            return complain(e);
        if (Error e = clearJournal(dir))
            return complain(e);
        return 0;
    }
    std::string text;
    if (Error e = readJournal(dir, text))
        return complain(e);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

} // namespace macsim::cli
