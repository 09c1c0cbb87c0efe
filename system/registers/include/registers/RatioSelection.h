// The ratio choice kept in the preferences (`cacheRatioMenuSelection`) and
// shown by the ratio pop-up: 1 is the automatic entry, which has no clock code
// of its own; 2 to 8 stand for 1:1, 3:2, 2:1, 5:2, 3:1, 7:2 and 4:1. Each
// ratio's clock code is in l2ClockRatios (L2CRFields.h).
#pragma once

#include <MacTypes.h>

constexpr UInt32 kAutomaticRatioSelection = 1;
constexpr UInt32 kOneToOneSelection = 2;
constexpr UInt32 kThreeToTwoSelection = 3;
constexpr UInt32 kTwoToOneSelection = 4;
constexpr UInt32 kFiveToTwoSelection = 5;
constexpr UInt32 kThreeToOneSelection = 6;
constexpr UInt32 kSevenToTwoSelection = 7;
constexpr UInt32 kFourToOneSelection = 8;
constexpr UInt32 kFirstRatioSelection = kAutomaticRatioSelection;
constexpr UInt32 kLastRatioSelection = kFourToOneSelection;

// The ratio taken when no other can be had: no saved file and the cache off,
// an automatic entry with the cache off, a choice no item stands for.
constexpr UInt32 kFallbackRatioSelection = kThreeToOneSelection;

// The choices only advanced mode offers: the automatic entry, 7:2 and 4:1.
constexpr bool IsAdvancedOnlySelection(UInt32 selection)
{
    return selection == kAutomaticRatioSelection || selection == kSevenToTwoSelection
        || selection == kFourToOneSelection;
}

// The L2CLK field value for selections 2..8; 0 for 1 and for anything outside 1..8.
UInt32 L2CLKForRatioSelection(UInt32 selection);

// The selection (2..8) whose code equals the L2CLK field of `l2cr`; 0 when that field is 0.
UInt32 RatioSelectionForL2CR(UInt32 l2cr);

// The clock code a boot applies for a saved selection: the automatic entry
// keeps the ratio of a cache running at that moment and falls back to 3:1
// for a cache that is off.
UInt32 BootL2CLKForRatioSelection(UInt32 selection, UInt32 runningL2CR);
