#include "BacksideCacheStatusGroup.h"

#include "BacksideCacheSubPane.h"
#include "CacheWarnings.h"
#include "G3TarnwickApp.h"
#include "OnOffButtons.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <registers/DefL2CR.h>
#include <support/ThrowError.h>

KORV_SOURCE_UNIT("BacksideCacheStatusGroup");

BacksideCacheStatusGroup::BacksideCacheStatusGroup(BacksideCacheSubPane* pane)
    : PRadioGroup(OnOffItem(L2CacheEnabled(theProcessor->getL2CR())))
    , myPane(pane)
{
}

void BacksideCacheStatusGroup::handleSelection(unsigned long item)
{
    if (item == kOn) {
        if (!switchOn())
            return;
    } else {
        theProcessor->setL2CR(0);
    }
    myPane->invalidateCurrentL2CR();
}

void BacksideCacheStatusGroup::showCacheState()
{
    selectItem(OnOffItem(L2CacheEnabled(theProcessor->getL2CR())), false);
}

bool BacksideCacheStatusGroup::switchOn()
{
    const UInt32 defL2CR = theProcessor->getDefaultL2CR();
    if (!DefL2CRUsable(defL2CR)) {
        // Nothing can be written.
        showCacheState();
        return true;
    }
    const UInt32 ratio = myPane->cacheRatioPopup.getCacheRatio();
    if (ratio == 0) {
        if (!useAdvancedMode) {
            // Normal mode offers ratios only: a zero is a fault of the pane.
            // Line 845: the number this error has always been reported under.
            Throw(static_cast<unsigned long>(-1), PSTR("cacheRatioPopup.getCacheRatio() returned nil!"),
                korvSourceUnit, 845, false);
        }
        if (DoAutoDetectWarning() == 1) {
            showCacheState();
            return false;
        }
        // No routine finds a ratio by itself: nothing is written.
        myPane->enableOnRestartBox.disable();
        showCacheState();
        return true;
    }
    if (CacheSpeedWarningDeclined(ratio)) {
        showCacheState();
        return false;
    }
    theProcessor->setL2CR(RunningL2CR(defL2CR, ratio, myPane->writeThruBox.getControlValue() != 0));
    // The ratio the cache now runs at is the one the next boot must apply.
    prefs.cacheRatioMenuSelection
        = BacksideCacheSubPaneCacheRatioPopup::selectionForItem(myPane->cacheRatioPopup.getSelectedItem());
    return true;
}
