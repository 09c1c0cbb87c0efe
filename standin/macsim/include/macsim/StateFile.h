// The state file <machine>/state: small "key = value" text, one field per
// line, keys as in Fields.h, '#' starts a comment line. Every key must appear
// exactly once; registers are written as 0x%08X, other numbers in decimal.
//
// Readers take no lock: writers replace the file by rename, so a reader sees
// either the old or the new file, never a torn one.
#pragma once

#include <macsim/Error.h>
#include <macsim/MachineState.h>

#include <string>
#include <string_view>

namespace macsim {

// Parses a state file's text; `fileName` names it in error messages, which
// give the line number and the offending line.
Error parseState(std::string_view text, const std::string& fileName, MachineState& state);

std::string formatState(const MachineState& state);

// Reads <machineDir>/state. ENOENT when there is no machine there, EIO when
// the file cannot be read or does not parse.
Error readState(const std::string& machineDir, MachineState& state);

// Writes <machineDir>/state through a temporary file, fsync and rename. The
// caller holds the machine lock.
Error writeState(const std::string& machineDir, const MachineState& state);

std::string statePath(const std::string& machineDir);

} // namespace macsim
