// Display names of the machines the system knows, by the model identifier
// the operating system reports (hw.model). An identifier found in no record
// is shown as it is.
#pragma once

#include <MacTypes.h>

struct MachineNameMap {
    ConstStringPtr hwName;
    ConstStringPtr machineName;
};

constexpr int kMachineNameMapCount = 6;
extern const MachineNameMap machineNameMap[kMachineNameMapCount];
