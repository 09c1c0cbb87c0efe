// Gestalt.h: the Gestalt Manager, answered by the machine in use: the
// simulated Macintosh, or on a real Linux machine its device tree ('mach' by
// the root's compatible list, 'cput' by the cpu node's cpu-version).
//
// Provided: Gestalt for 'mach' (machine type), 'cput' (processor type) and
// 'bbox' (bit 0 set when the Classic environment is present, clear otherwise:
// it always answers), plus 'sysv' (0x1022, Mac OS X 10.2.2).
// Simplifications: any other selector fails with gestaltUndefSelectorErr; when
// the machine cannot tell, 'mach', 'cput' and 'bbox' fail with
// gestaltUnknownErr (a simulated machine that cannot be read says why once
// on stderr); a nil response pointer gives paramErr (-50). The response is untouched on error.
#pragma once

#include <MacTypes.h>

enum : OSErr {
    gestaltUnknownErr = -5550,
    gestaltUndefSelectorErr = -5551,
};

enum : OSType {
    gestaltMachineType = 'mach',
    gestaltNativeCPUtype = 'cput',
    gestaltBlueBoxAttr = 'bbox',
    gestaltSystemVersion = 'sysv',
};

enum : SInt32 {
    gestaltCPU750 = 0x0108, // 264
    gestaltCPUG4 = 0x010C, // 268
    gestaltBlueBoxPresent = 0,
};

OSErr Gestalt(OSType selector, SInt32* response);
