// The L2 cache clock in hertz from the processor clock and an L2CR word.
#pragma once

#include "registers/L2CRFields.h"

// The clock for one ratio, by its formula (unsigned 32-bit, truncating).
UInt32 L2ClockSpeed(const L2ClockRatio& ratio, UInt32 processorHz);

// 0 when L2E is clear (whatever L2CLK holds) or when L2CLK is 0.
UInt32 L2CacheSpeedFor(UInt32 l2cr, UInt32 processorHz);
