// The two warnings of the backside cache sub-pane. Each returns the item the
// user hit: 1 declines the change, 2 lets it go ahead. Each has a check box
// that turns it off, for this run and (through the preferences) later ones.
#pragma once

#include <MacTypes.h>

// Before the cache clock is set to 1:1 or 3:2 (`ratio` is the L2CLK value).
short DoCacheSpeedWarning(unsigned long ratio);
// For a ratio (L2CLK value) that calls for the speed warning, 1:1 or 3:2:
// whether the user declined it. Any other ratio goes ahead unasked.
bool CacheSpeedWarningDeclined(UInt32 ratio);
// Before the cache is switched on with the automatic ratio entry.
short DoAutoDetectWarning();
