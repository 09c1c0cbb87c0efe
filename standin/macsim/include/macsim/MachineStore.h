// Changing a machine: every change of the state (and the journal entries that
// go with it) is one locked read-modify-write, stored by temp file and rename.
#pragma once

#include <macsim/Error.h>
#include <macsim/MachineState.h>
#include <macsim/Presets.h>

#include <functional>
#include <string>

namespace macsim {

// `change` edits the state it is given and may append journal lines (see
// Journal.h) for node writes; an Error from it cancels the whole update.
using StateChange = std::function<Error(MachineState& state, std::string& journalLines)>;

Error updateState(const std::string& machineDir, const StateChange& change);

enum class CreateMode {
    Refuse, // fail with EEXIST when a machine is there
    Replace, // remove the machine that is there first
    IfMissing, // succeed quietly when a machine is there
};

// Makes a machine from `preset`: the disk folder tree (DiskLayout.h), the
// state, an empty journal and the lock file. The state is written last, so a
// half-made machine is never taken for a whole one. `created` (if given)
// tells whether this call made it.
Error createMachine(
    const std::string& machineDir, const Preset& preset, CreateMode mode, bool* created = nullptr);

} // namespace macsim
