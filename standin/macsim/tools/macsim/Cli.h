// Shared pieces of the `macsim` command: messages, the machine in use, and
// the verbs, each `int verbX(args)` returning the exit status.
#pragma once

#include <macsim/Error.h>

#include <string>
#include <vector>

namespace macsim::cli {

using Args = std::vector<std::string>;

// "macsim: <message>" on stderr; returns 1, the status of every refusal.
int complain(const std::string& message);
int complain(const Error& error);

// True when the arguments ask for help (--help or -h anywhere).
bool wantsHelp(const Args& args);
int printHelp(const char* text);

// The machine the verbs act on (MACSIM_MACHINE or the default, which is made
// on first use).
std::string currentMachine();

int verbPresets(const Args& args);
int verbCreate(const Args& args);
int verbShow(const Args& args);
int verbGet(const Args& args);
int verbSet(const Args& args);
int verbBoot(const Args& args);
int verbKext(const Args& args);
int verbJournal(const Args& args);

} // namespace macsim::cli
