// The ratio choice kept in the preferences (`cacheRatioMenuSelection`) and
// shown by the ratio pop-up: 1 is the automatic entry, which has no clock code
// of its own; 2 to 8 stand for 1:1, 3:2, 2:1, 5:2, 3:1, 7:2 and 4:1.
#pragma once

#include <MacTypes.h>

constexpr UInt32 kAutomaticRatioSelection = 1;
constexpr UInt32 kFirstRatioSelection = 1;
constexpr UInt32 kLastRatioSelection = 8;

// The L2CLK field value for selections 2..8; 0 for 1 and for anything outside 1..8.
UInt32 L2CLKForRatioSelection(UInt32 selection);

// The selection (2..8) whose code equals the L2CLK field of `l2cr`; 0 when that field is 0.
UInt32 RatioSelectionForL2CR(UInt32 l2cr);
