// Applies the saved settings once, at boot. The extension is loaded first
// because the processor object reads its nodes when it is built; HID0 changes
// are separate read-modify-writes, so their order is the order of the writes.
#include "Stupidmain.h"

#include "ApplyGuard.h"

#include "prefs/G3TarnwickAppPrefs.h"
#include "processor/PProcessor.h"
#include "registers/DefL2CR.h"
#include "registers/HID0Bits.h"
#include "registers/RatioSelection.h"
#include "support/ThrowError.h"

#include <cstdio>

namespace {

char kLoadExtensionCommand[] = "/sbin/kextload /System/Library/Extensions/KorvendaleKEXT.kext";

UInt32 theL2CR = 0;

// Builds the L2CR to apply, enable bit included, from DefL2CR, the saved
// ratio and write-through. Leaves 0 (nothing to write) when the extension
// found no working configuration (DefL2CR 0) or did not test (0xFFFFFFFF),
// and when the value would carry no clock ratio: enabling the cache unclocked
// or on untested SRAM could hang the machine at every boot.
void ComputeTheL2CR()
{
    theL2CR = 0;
    const UInt32 defL2CR = theProcessor->getDefaultL2CR();
    if (!DefL2CRUsable(defL2CR))
        return;
    const UInt32 clock = BootL2CLKForRatioSelection(prefs.cacheRatioMenuSelection, theProcessor->getL2CR());
    if (clock != 0)
        theL2CR = RunningL2CR(defL2CR, clock, prefs.writeThruMode);
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

// Every register write of the boot, in the order the writes happen.
void ApplySavedSettings()
{
    if (prefs.enableBacksideCacheOnRestart) {
        ComputeTheL2CR();
        if (theL2CR != 0)
            theProcessor->setL2CR(theL2CR);
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

    if (SkipRequestedAtBoot()) {
        ReportSkipped();
        return 0;
    }
    if (LastApplyNeverFinished()) {
        ReportLastApplyUnfinished();
        return 1;
    }
    if (!RecordApplying())
        return 1;
    try {
        LogWhereSettingsGo();
        PProcessor::InitPProcessor();
        ApplySavedSettings();
    } catch (...) {
        // An error is no hang: the next boot may try again.
        ForgetApplying();
        throw;
    }
    return ForgetApplying() ? 0 : 1;
}
