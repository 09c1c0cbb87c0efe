#include "BacksideCacheStatusGroup.h"

#include "BacksideCacheSubPane.h"
#include "CacheWarnings.h"
#include "G3TarnwickApp.h"

#include <processor/PProcessor.h>
#include <registers/L2CRFields.h>
#include <support/ThrowError.h>

KORV_SOURCE_UNIT("BacksideCacheStatusGroup");

namespace {

constexpr UInt32 kOneToOne = 0x02000000;
constexpr UInt32 kThreeToTwo = 0x04000000;

} // namespace

// Selected when L2E is set in the live L2CR.
BacksideCacheStatusGroup::BacksideCacheStatusGroup(BacksideCacheSubPane* pane)
    : PRadioGroup((theProcessor->getL2CR() >> 31) ^ 1)
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

bool BacksideCacheStatusGroup::switchOn()
{
    const UInt32 defL2CR = theProcessor->getDefaultL2CR();
    if (!BacksideCacheSubPane::usableDefault(defL2CR)) {
        // Nothing can be written: let the buttons show what the cache does.
        selectItem((theProcessor->getL2CR() & L2E) ? kOn : kOff, false);
        return true;
    }
    const UInt32 ratio = myPane->cacheRatioPopup.getCacheRatio();
    if (ratio == 0) {
        if (!useAdvancedMode) {
            // Normal mode offers ratios only: a zero is a fault of the pane.
            Throw(static_cast<unsigned long>(-1), PSTR("cacheRatioPopup.getCacheRatio() returned nil!"),
                korvSourceUnit, 845, false);
        }
        if (DoAutoDetectWarning() == 1) {
            selectItem(kOff, false);
            return false;
        }
    }
    if ((ratio == kOneToOne || ratio == kThreeToTwo) && DoCacheSpeedWarning(ratio) == 1) {
        selectItem(kOff, false);
        return false;
    }
    if (ratio == 0) {
        // No routine finds a ratio by itself: the cache stays off.
        myPane->enableOnRestartBox.disable();
        selectItem(kOff, false);
        return true;
    }
    // DefL2CR's clock field is clear as the extension publishes it.
    UInt32 value = defL2CR | ratio | L2E;
    if (myPane->writeThruBox.getControlValue())
        value |= L2WT;
    theProcessor->setL2CR(value);
    return true;
}
