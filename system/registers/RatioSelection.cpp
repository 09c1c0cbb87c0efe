#include "registers/RatioSelection.h"

#include "registers/L2CRFields.h"

UInt32 L2CLKForRatioSelection(UInt32 selection)
{
    for (const L2ClockRatio& ratio : l2ClockRatios) {
        if (ratio.ratioSelection == selection)
            return ratio.fieldValue;
    }
    return 0;
}

UInt32 RatioSelectionForL2CR(UInt32 l2cr)
{
    const L2ClockRatio* ratio = L2ClockRatioOf(l2cr);
    return ratio ? ratio->ratioSelection : 0;
}

UInt32 BootL2CLKForRatioSelection(UInt32 selection, UInt32 runningL2CR)
{
    if (selection != kAutomaticRatioSelection)
        return L2CLKForRatioSelection(selection);
    if (L2CacheEnabled(runningL2CR))
        return runningL2CR & L2CLK;
    return L2CLKForRatioSelection(kFallbackRatioSelection);
}
