#include <macsim/Boot.h>
#include <macsim/Error.h>
#include <macsim/MachineLocation.h>
#include <macsim/MachineStore.h>
#include <macsim/Presets.h>
#include <macsim/StateFile.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace macsim {

std::filesystem::path defaultMachineDirectory()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        return std::filesystem::path(xdg) / "macsim" / "default";
    // No password-database lookup: programs linked statically cannot use it.
    const char* home = std::getenv("HOME");
    if (!home || !home[0])
        home = "/tmp";
    return std::filesystem::path(home) / ".local" / "share" / "macsim" / "default";
}

std::filesystem::path machineDirectory()
{
    const char* named = std::getenv("MACSIM_MACHINE");
    if (named && named[0])
        return named;

    std::filesystem::path dir = defaultMachineDirectory();
    struct stat info;
    if (stat(statePath(dir.string()).c_str(), &info) != 0) {
        // Made as a Mac that is switched on: booted, so the extension is
        // loaded and the startup item has applied its settings.
        const Preset* preset = findPreset(defaultPresetName);
        bool created = false;
        Error e = createMachine(dir.string(), *preset, CreateMode::IfMissing, &created);
        if (!e && created) {
            e = bootMachine(dir.string(),
                [](const std::string& problem) { std::fprintf(stderr, "macsim: %s\n", problem.c_str()); });
        }
        if (e)
            reportOnce(e);
    }
    return dir;
}

std::filesystem::path diskDirectory()
{
    return machineDirectory() / "disk";
}

} // namespace macsim
