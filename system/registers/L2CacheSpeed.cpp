#include "registers/L2CacheSpeed.h"

UInt32 L2ClockSpeed(const L2ClockRatio& ratio, UInt32 processorHz)
{
    return (ratio.multiplier * processorHz + ratio.addend) / ratio.divisor;
}

UInt32 L2CacheSpeedFor(UInt32 l2cr, UInt32 processorHz)
{
    if (!(l2cr & L2E))
        return 0;
    const L2ClockRatio* ratio = L2ClockRatioOf(l2cr);
    return ratio ? L2ClockSpeed(*ratio, processorHz) : 0;
}
