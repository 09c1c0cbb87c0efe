#include "registers/ProcessorNames.h"

const ProcessorToNameTableEntry procNameTable[kProcNameTableCount] = {
    {0x00010000, PSTR("PowerPC 601")},
    {0x00020000, PSTR("PowerPC 602")},
    {0x00030000, PSTR("PowerPC 603")},
    {0x00040000, PSTR("PowerPC 604")},
    {0x00060000, PSTR("PowerPC 603e")},
    {0x00070000, PSTR("PowerPC 603ev")},
    {0x00080000, PSTR("PowerPC 750")},
    {0x00090000, PSTR("PowerPC 604e")},
    {0x000A0000, PSTR("PowerPC 604ev")},
    {0x000C0000, PSTR("PowerPC 7400")},
    {0x00140000, PSTR("PowerPC 620")},
    {0x80000000, PSTR("PowerPC 7450")},
    {0x800C0000, PSTR("PowerPC 7410")},
};

const ConstStringPtr kUnrecognizedCPUName = PSTR("Unrecognized CPU");

ConstStringPtr ProcessorNameForPVR(UInt32 pvr)
{
    for (const ProcessorToNameTableEntry& entry : procNameTable) {
        if ((pvr & kPVRVersionMask) == entry.pvrHigh)
            return entry.name;
    }
    return kUnrecognizedCPUName;
}
