// Applies the saved settings once, at boot. The extension is loaded first
// because the processor object reads its nodes when it is built; HID0 changes
// are separate read-modify-writes, so their order is the order of the writes.
#include "Stupidmain.h"

#include "prefs/G3TarnwickAppPrefs.h"
#include "processor/PProcessor.h"
#include "registers/HID0Bits.h"
#include "registers/KextNodes.h"
#include "registers/L2CRFields.h"
#include "registers/RatioSelection.h"
#include "support/ThrowError.h"

#include <cstdio>

namespace {

char kLoadExtensionCommand[] = "/sbin/kextload /System/Library/Extensions/KorvendaleKEXT.kext";

constexpr UInt32 kFallbackRatioSelection = 6;

UInt32 theL2CR = 0;

// Builds the L2CR to apply from DefL2CR, the saved ratio and write-through.
// Leaves 0 (nothing to write) when the extension found no working
// configuration (DefL2CR 0) or did not test (0xFFFFFFFF), and when the value
// would carry no clock ratio: enabling the cache unclocked or on untested SRAM
// could hang the machine at every boot.
void ComputeTheL2CR()
{
    theL2CR = theProcessor->getDefaultL2CR();
    if (theL2CR == kDefL2CRNoWorkingSRAM || theL2CR == kDefL2CRAllocFailed) {
        theL2CR = 0;
        return;
    }

    UInt32 clock = 0;
    if (prefs.cacheRatioMenuSelection == kAutomaticRatioSelection) {
        const UInt32 running = theProcessor->getL2CR();
        clock = (running & L2E) ? (running & L2CLK) : L2CLKForRatioSelection(kFallbackRatioSelection);
    } else {
        clock = L2CLKForRatioSelection(prefs.cacheRatioMenuSelection);
    }
    if (clock == 0) {
        theL2CR = 0;
        return;
    }

    theL2CR |= clock;
    if (prefs.writeThruMode)
        theL2CR |= L2WT;
}

void ReportUnreadablePrefs(const ThrowError& error)
{
    std::fputs("Korvendale Startup: the preferences could not be read: ", stderr);
    if (error.description)
        std::fwrite(error.description + 1, 1, error.description[0], stderr);
    if (!error.justAMessage)
        std::fprintf(stderr, " (error %ld)", long(ThrowErrorNumber(error)));
    std::fputc('\n', stderr);
}

} // namespace

int stupidmain(int, char**)
{
    try {
        ReadG3TarnwickAppPrefs();
    } catch (const ThrowError& error) {
        // The application and the tool need the extension even when the
        // settings are unusable; the registers are left as they are.
        stupidsystem(kLoadExtensionCommand);
        ReportUnreadablePrefs(error);
        return 1;
    }

    stupidsystem(kLoadExtensionCommand);
    PProcessor::InitPProcessor();

    if (prefs.enableBacksideCacheOnRestart) {
        ComputeTheL2CR();
        if (theL2CR != 0)
            theProcessor->setL2CR(theL2CR | L2E);
    }

    // disableMotherboardCacheOnRestart is kept for the application; there is
    // nothing to do for it at boot.

    const UInt32 processorVersion = theProcessor->getPVR() >> 16;
    if (processorVersion == 0x0008 || processorVersion == 0x000C)
        theProcessor->setHID0Bits(BTIC);

    if (prefs.disableSpeculativeAccessOnRestart) {
        theProcessor->setHID0Bits(SPD | ABE);
        theProcessor->clearHID0Bits(SGE);
    }

    if (prefs.enableDynamicPowerManagementOnRestart)
        theProcessor->setHID0Bits(DPM);

    return 0;
}
