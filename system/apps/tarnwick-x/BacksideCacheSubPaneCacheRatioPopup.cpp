#include "BacksideCacheSubPaneCacheRatioPopup.h"

#include "BacksideCacheSubPane.h"
#include "CacheWarnings.h"
#include "G3TarnwickApp.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <registers/L2CRFields.h>
#include <registers/RatioSelection.h>

#include <Dialogs.h>

namespace {

constexpr SInt16 kAdvancedMenuID = 1;
constexpr SInt16 kNormalMenuID = 2;
constexpr SInt16 kReplacedByThreeToOneAlert = 132;
constexpr SInt16 kReplacedByRatioInUseAlert = 133;

} // namespace

unsigned long BacksideCacheSubPaneCacheRatioPopup::itemForSelection(UInt32 selection)
{
    return useAdvancedMode ? selection : selection - 1;
}

UInt32 BacksideCacheSubPaneCacheRatioPopup::selectionForItem(unsigned long item)
{
    return static_cast<UInt32>(useAdvancedMode ? item : item + 1);
}

BacksideCacheSubPaneCacheRatioPopup::BacksideCacheSubPaneCacheRatioPopup(BacksideCacheSubPane* pane)
    : PPopupMenu(144, 54, 244, 69, PSTR(""), useAdvancedMode ? kAdvancedMenuID : kNormalMenuID,
        itemForSelection(prefs.cacheRatioMenuSelection))
    , myPane(pane)
{
    if (prefs.cacheRatioMenuSelection != kAutomaticRatioSelection)
        return;
    // No routine finds a ratio by itself, so a saved automatic entry gives
    // way to a ratio the user can see: 3:1 for a cache that is off, else the
    // ratio the cache runs at (if it has one).
    const UInt32 l2cr = theProcessor->getL2CR();
    if (!L2CacheEnabled(l2cr)) {
        prefs.cacheRatioMenuSelection = kFallbackRatioSelection;
        StopAlert(kReplacedByThreeToOneAlert, nullptr);
    } else if (const UInt32 inUse = RatioSelectionForL2CR(l2cr); inUse != 0) {
        prefs.cacheRatioMenuSelection = inUse;
        StopAlert(kReplacedByRatioInUseAlert, nullptr);
    }
    selectItem(itemForSelection(prefs.cacheRatioMenuSelection));
}

UInt32 BacksideCacheSubPaneCacheRatioPopup::getCacheRatio()
{
    return L2CLKForRatioSelection(selectionForItem(getSelectedItem()));
}

// The choice is weighed against the ratio the cache runs at, not the stored
// selection: "On" may have started the cache at another item than the one
// stored, and choosing the stored one must then still take effect.
void BacksideCacheSubPaneCacheRatioPopup::handleClick()
{
    const UInt32 l2cr = theProcessor->getL2CR();
    if (!L2CacheEnabled(l2cr))
        return;
    const UInt32 chosen = selectionForItem(getSelectedItem());
    const UInt32 ratio = getCacheRatio();
    if (ratio == (l2cr & L2CLK)) {
        prefs.cacheRatioMenuSelection = chosen;
        return;
    }
    if (CacheSpeedWarningDeclined(ratio)) {
        const UInt32 running = RatioSelectionForL2CR(l2cr);
        selectItem(itemForSelection(running != 0 ? running : prefs.cacheRatioMenuSelection));
        return;
    }
    theProcessor->setL2CR((l2cr & kClearL2CLK) | ratio | L2E);
    myPane->invalidateCurrentL2CR();
    prefs.cacheRatioMenuSelection = chosen;
}
