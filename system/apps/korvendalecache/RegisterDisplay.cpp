// The -d output: the register words decoded, then the base configuration the
// kernel extension's L2 test found (DefL2CR).
#include "CacheTool.h"

#include <registers/DefL2CR.h>
#include <registers/HID1Multipliers.h>

#include <cstdio>

void display_registers()
{
    printf("PVR  = 0x%08X\n", pvr);
    printf("HID0 = 0x%08X\n", hid0);
    printf("HID1 = 0x%08X [x%s]\n", hid1, HID1MultiplierText(hid1));
    printf("L2CR = 0x%08X [", l2cr);
    if (L2CacheEnabled(l2cr)) {
        printf("%s", L2SizeCodeOf(l2cr).registerLineText);
        // With no clock code there is no ratio text, but the line is still
        // closed so that the temperature keeps its own line.
        const L2ClockRatio* ratio = L2ClockRatioOf(l2cr);
        printf("%s]\n", ratio ? CString(ratio->ratioText) : "");
    } else {
        printf("disabled]\n");
    }
    printf("Temp = %d deg C\n", static_cast<int>(temp));
}

void display_auto_detected()
{
    printf("Auto-detected L2CR settings:\n");
    if (def_l2cr == kDefL2CRNotTested) {
        printf("\t%s\n", untested_l2_message());
        return;
    }
    printf("\tL2CR base = 0x%08X\n", def_l2cr);
    printf("\t%s\n", CString(L2RAMCodeOf(def_l2cr).toolText));
    printf("\t%s\n", CString(L2OutputHoldCodeOf(def_l2cr).toolText));
    if (def_l2cr & L2DF)
        printf("\t%s\n", CString(kL2DFToolText));
    printf("\t%s\n", CString(L2SizeCodeOf(def_l2cr).text));
}
