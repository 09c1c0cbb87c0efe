#include "LaunchSettings.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <registers/RatioSelection.h>

#include <Events.h>
#include <Gestalt.h>

namespace {

constexpr int kOptionKeyCode = 58;

} // namespace

Boolean RunningOnClassic()
{
    SInt32 response = 0;
    if (Gestalt(gestaltBlueBoxAttr, &response) != noErr)
        return false;
    return (response & (1 << gestaltBlueBoxPresent)) != 0;
}

bool OptionKeyHeld()
{
    KeyMap keys;
    GetKeys(keys);
    const UInt8* bytes = reinterpret_cast<const UInt8*>(keys);
    return (bytes[kOptionKeyCode >> 3] & (1 << (kOptionKeyCode & 7))) != 0;
}

void RefreshRatioSelection(UInt32 l2cr)
{
    if (prefs.cacheRatioMenuSelection != kAutomaticRatioSelection) {
        if (const UInt32 inUse = RatioSelectionForL2CR(l2cr); inUse != 0)
            prefs.cacheRatioMenuSelection = inUse;
    }
    if (prefs.cacheRatioMenuSelection < kFirstRatioSelection
        || prefs.cacheRatioMenuSelection > kLastRatioSelection)
        prefs.cacheRatioMenuSelection = kFallbackRatioSelection;
}

bool NeedsAdvancedMode(bool optionHeld, UInt32 selection)
{
    return optionHeld || IsAdvancedOnlySelection(selection);
}
