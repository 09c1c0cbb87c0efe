// Processor names by PVR. Only the upper half of the PVR (the version)
// names the processor; the lower half is the revision.
#pragma once

#include <MacTypes.h>

struct ProcessorToNameTableEntry {
    UInt32 pvrHigh; // a PVR whose lower half is zero
    ConstStringPtr name;
};

constexpr UInt32 kPVRVersionMask = 0xFFFF0000;
constexpr UInt32 kPVR750 = 0x00080000;
constexpr UInt32 kPVR7400 = 0x000C0000;

constexpr int kProcNameTableCount = 13;
extern const ProcessorToNameTableEntry procNameTable[kProcNameTableCount];
extern const ConstStringPtr kUnrecognizedCPUName; // "Unrecognized CPU"

// The first entry whose version equals the PVR's, else kUnrecognizedCPUName.
ConstStringPtr ProcessorNameForPVR(UInt32 pvr);
