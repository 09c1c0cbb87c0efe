// Defaults are read from the hardware before any processor object exists (and,
// in the startup item, before the kernel extension is loaded), so the L2CR is
// read from its node directly and a failed read counts as a disabled cache.
#include "PrefsDefaults.h"

#include "registers/KextNodes.h"
#include "registers/L2CRFields.h"
#include "registers/RatioSelection.h"

#include <Gestalt.h>
#include <sys/sysctl.h>

namespace {

// 0 when the node cannot be read: the same as a cache that is switched off.
UInt32 ReadLiveL2CR()
{
    UInt32 value = 0;
    size_t length = sizeof value;
    if (sysctlbyname(kL2CRNode, &value, &length, nullptr, 0) != 0 || length != sizeof value)
        return 0;
    return value;
}

// PowerBook G3 Series (312), PowerBook G3 (313), NewWorld machines (406) and
// the beige Power Macintosh G3 (510) keep speculative access on.
bool KeepsSpeculativeAccess(SInt32 machineType)
{
    switch (machineType) {
    case 312:
    case 313:
    case 406:
    case 510:
        return true;
    default:
        return false;
    }
}

} // namespace

void FillDefaultPrefs(G3TarnwickAppPrefs& record)
{
    record = G3TarnwickAppPrefs {};
    record.version = kTarnwickPrefsVersion;
    record.activeTab = 0;
    record.processorOverviewDinked = 1;
    record.cacheOverviewDinked = 1;
    record.motherboardOverviewDinked = 1;
    record.backsideCacheDinked = 1;
    record.enableBacksideCacheOnRestart = 1;
    record.motherboardCacheDinked = 1;
    record.disableMotherboardCacheOnRestart = 0;
    record.speculativeAccessDinked = 1;
    record.dynamicPowerManagementDinked = 1;
    record.enableDynamicPowerManagementOnRestart = 1;
    record.bootXConfigDinked = 1;
    record.configureBootXOnRestart = 0;
    record.romAliasingDinked = 1;
    record.enableROMAliasingOnRestart = 0;
    record.aboutKorvendaleDinked = 1;
    record.splashScreenAtBoot = 1;
    record.initConfigDinked = 1;
    record.displayAutoDetectWarning = 1;
    record.display2_1Warning = 1;

    const UInt32 l2cr = ReadLiveL2CR();
    if (L2CacheEnabled(l2cr)) {
        const UInt32 selection = RatioSelectionForL2CR(l2cr);
        record.cacheRatioMenuSelection = selection != 0 ? selection : kFallbackRatioSelection;
        record.writeThruMode = (l2cr & L2WT) != 0;
    } else {
        record.cacheRatioMenuSelection = kFallbackRatioSelection;
        record.writeThruMode = 1;
    }

    SInt32 machineType = 0;
    if (Gestalt(gestaltMachineType, &machineType) != noErr)
        machineType = 0;
    record.disableSpeculativeAccessOnRestart = !KeepsSpeculativeAccess(machineType);
}
