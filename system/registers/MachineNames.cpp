#include "registers/MachineNames.h"

// "Machintosh" is how the product has always spelled the Graphite G4.
const MachineNameMap machineNameMap[kMachineNameMapCount] = {
    {PSTR("PowerMac1,1"), PSTR("Power Macintosh G3 (B & W)")},
    {PSTR("PowerMac1,2"), PSTR("Power Machintosh G4 (Graphite)")},
    {PSTR("iMac,1"), PSTR("iMac")},
    {PSTR("PowerBook2,1"), PSTR("iBook")},
    {PSTR("PowerMac3,1"), PSTR("Power Macintosh G4 (Sawtooth)")},
    {PSTR("PowerBook1,1"), PSTR("PowerBook (Lombard)")},
};
