// Booting a machine as Mac OS X does: a power-on reset, then every startup
// item <disk>/System/Library/StartupItems/NAME/NAME in name order, each a
// child process given the argument "start" and MACSIM_MACHINE naming the
// machine. An item that is missing, cannot run or fails is reported and the
// boot goes on.
#pragma once

#include <macsim/Error.h>

#include <functional>
#include <string>

namespace macsim {

// `report` receives one sentence per startup item that could not run or
// failed. The result is an error only when the machine could not be reset.
Error bootMachine(const std::string& machineDir, const std::function<void(const std::string&)>& report);

} // namespace macsim
