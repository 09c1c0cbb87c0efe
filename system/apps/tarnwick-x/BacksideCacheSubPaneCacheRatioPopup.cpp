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
constexpr UInt32 kThreeToOneSelection = 6;

// L2CLK by selection order: automatic, 1:1, 3:2, 2:1, 5:2, 3:1, 7:2, 4:1.
constexpr UInt32 kRatioBySelection[8]
    = {0x00000000, 0x02000000, 0x04000000, 0x08000000, 0x0A000000, 0x0C000000, 0x06000000, 0x0E000000};

constexpr UInt32 kOneToOne = 0x02000000;
constexpr UInt32 kThreeToTwo = 0x04000000;

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
    if ((l2cr & L2E) == 0) {
        prefs.cacheRatioMenuSelection = kThreeToOneSelection;
        StopAlert(kReplacedByThreeToOneAlert, nullptr);
    } else if (const UInt32 inUse = RatioSelectionForL2CR(l2cr); inUse != 0) {
        prefs.cacheRatioMenuSelection = inUse;
        StopAlert(kReplacedByRatioInUseAlert, nullptr);
    }
    selectItem(itemForSelection(prefs.cacheRatioMenuSelection));
}

UInt32 BacksideCacheSubPaneCacheRatioPopup::getCacheRatio()
{
    const unsigned long index = useAdvancedMode ? getSelectedItem() - 1 : getSelectedItem();
    return index < 8 ? kRatioBySelection[index] : 0;
}

void BacksideCacheSubPaneCacheRatioPopup::handleClick()
{
    const UInt32 l2cr = theProcessor->getL2CR();
    if ((l2cr & L2E) == 0)
        return;
    const UInt32 chosen = selectionForItem(getSelectedItem());
    if (chosen == prefs.cacheRatioMenuSelection)
        return;

    UInt32 newL2CR = l2cr & kClearL2CLK;
    const UInt32 ratio = getCacheRatio();
    if ((ratio == kOneToOne || ratio == kThreeToTwo) && DoCacheSpeedWarning(ratio) == 1) {
        selectItem(itemForSelection(prefs.cacheRatioMenuSelection));
        return;
    }
    newL2CR |= ratio;
    if (newL2CR != l2cr) {
        theProcessor->setL2CR(newL2CR | L2E);
        myPane->invalidateCurrentL2CR();
    }
    prefs.cacheRatioMenuSelection = chosen;
}
