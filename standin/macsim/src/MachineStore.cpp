#include <macsim/DiskLayout.h>
#include <macsim/Journal.h>
#include <macsim/MachineLock.h>
#include <macsim/MachineStore.h>
#include <macsim/StateFile.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace macsim {

Error updateState(const std::string& machineDir, const StateChange& change)
{
    MachineLock lock;
    if (Error e = lock.acquire(machineDir))
        return e;
    MachineState state;
    if (Error e = readState(machineDir, state))
        return e;
    const uint32_t previousSeq = state.journalSeq;
    std::string journalLines;
    if (Error e = change(state, journalLines))
        return e;

    // The journal entry goes first: should the state not be stored, the
    // entry is taken back, so the journal never claims a write that failed.
    off_t journalSize = 0;
    if (!journalLines.empty()) {
        if (Error e = dropUnfinishedEntries(machineDir, previousSeq))
            return e;
        if (Error e = appendJournal(machineDir, journalLines, journalSize))
            return e;
    }
    if (Error e = writeState(machineDir, state)) {
        if (!journalLines.empty())
            rollbackJournal(machineDir, journalSize);
        return e;
    }
    if (!journalLines.empty())
        trimJournal(machineDir); // a journal that stays long is harmless
    return {};
}

Error createMachine(const std::string& machineDir, const Preset& preset, CreateMode mode, bool* created)
{
    if (created)
        *created = false;
    std::error_code ec;
    fs::create_directories(machineDir, ec);
    if (ec)
        return fail(EIO, "cannot make the machine folder " + machineDir + ": " + ec.message());

    MachineLock lock;
    if (Error e = lock.acquire(machineDir))
        return e;

    struct stat info;
    if (stat(statePath(machineDir).c_str(), &info) == 0) {
        if (mode == CreateMode::IfMissing)
            return {};
        if (mode == CreateMode::Refuse)
            return fail(EEXIST, "a machine already exists at " + machineDir + " (use --force to replace it)");
        // Replace: the old state goes first, so a failure below leaves no
        // machine rather than a mix of two.
        fs::remove(statePath(machineDir), ec);
        fs::remove(journalPath(machineDir), ec);
        fs::remove_all(fs::path(machineDir) / "disk", ec);
        if (ec)
            return fail(EIO, "cannot remove the old machine at " + machineDir + ": " + ec.message());
    }

    if (Error e = buildDisk(machineDir + "/disk"))
        return e;
    if (Error e = clearJournal(machineDir))
        return e;
    if (Error e = writeState(machineDir, stateFromPreset(preset)))
        return e;
    if (created)
        *created = true;
    return {};
}

} // namespace macsim
