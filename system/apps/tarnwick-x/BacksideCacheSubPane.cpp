#include "BacksideCacheSubPane.h"

#include "G3TarnwickApp.h"
#include "OnOffButtons.h"
#include "PaneText.h"

#include <framework/PWindow.h>
#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <registers/DefL2CR.h>
#include <registers/L2CacheSpeed.h>
#include <registers/RatioSelection.h>
#include <support/UtilityFunctions.h>

#include <Quickdraw.h>
#include <TextUtils.h>

namespace {

constexpr short kAdvancedOffset = 15;
constexpr unsigned long kExpandedHeight = 169;

} // namespace

short BacksideCacheSubPane::advancedOffset()
{
    return useAdvancedMode ? kAdvancedOffset : 0;
}

BacksideCacheSubPane::BacksideCacheSubPane(PTabPane* owner)
    : PDinkSubPane(
        PSTR("Backside Cache"), kExpandedHeight + 2 * advancedOffset(), owner, prefs.backsideCacheDinked)
    , enableOnRestartBox(16, 125 + advancedOffset(), 185, 137 + advancedOffset(),
          PSTR("Enable Backside Cache on Restart"), prefs.enableBacksideCacheOnRestart ? 1 : 0)
    , writeThruBox(this)
    , statusRadioGroup(this)
    , cacheRatioPopup(this)
    , testRatioPush(this)
{
    AddOnOffButtons(statusRadioGroup, 150, 75 + advancedOffset());
    controls.add(statusRadioGroup);
    controls.add(enableOnRestartBox);
    controls.add(writeThruBox);
    controls.add(cacheRatioPopup);
    if (useAdvancedMode)
        controls.add(testRatioPush);

    if (!ProcessorIsSupported()) {
        // The pop-up keeps the plain ratio texts of its menu.
        controls.disable();
        return;
    }
    if (!authorized)
        controls.disable();
    if (!DefL2CRUsable(theProcessor->getDefaultL2CR())) {
        enableOnRestartBox.disable();
        writeThruBox.disable();
    }
    setRatioItemTexts();
    if (useAdvancedMode)
        cacheRatioPopup.disableItem(1); // the automatic entry
}

// The boxes' values go to the preferences, which main writes after the
// window (and with it this pane) is gone.
BacksideCacheSubPane::~BacksideCacheSubPane()
{
    prefs.enableBacksideCacheOnRestart = enableOnRestartBox.getControlValue() ? 1 : 0;
    prefs.writeThruMode = writeThruBox.getControlValue() ? 1 : 0;
}

// Each ratio item reads as the cache clock it gives at this processor's
// clock: "200 MHz [2:1]".
void BacksideCacheSubPane::setRatioItemTexts()
{
    const UInt32 speed = theProcessor->getSpeed();
    for (const L2ClockRatio& ratio : l2ClockRatios) {
        if (!useAdvancedMode && IsAdvancedOnlySelection(ratio.ratioSelection))
            continue;
        Str255 text;
        NumToString(static_cast<long>(WholeMHz(L2ClockSpeed(ratio, speed))), text);
        pstrcat(text, ratio.speedSuffixText);
        cacheRatioPopup.setItemText(
            BacksideCacheSubPaneCacheRatioPopup::itemForSelection(ratio.ratioSelection), text);
    }
}

char BacksideCacheSubPane::handleMouseDown(const EventRecord* theEvent)
{
    return PDinkSubPane::handleMouseDown(theEvent) || controls.handleMouseDown(theEvent);
}

void BacksideCacheSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();
    const short a = advancedOffset();
    DrawLabel(35, PSTR("Backside cache type:"));
    DrawLabel(50, PSTR("Backside cache size:"));
    DrawLabel(65, PSTR("Backside cache ratio:"));
    if (useAdvancedMode)
        DrawLabel(80, PSTR("Recommended ratio:"));
    DrawLabel(84 + a, PSTR("Backside cache status:"));
    DrawLabel(118 + a, PSTR("Current L2CR:"));

    if (ProcessorIsSupported()) {
        drawValues();
    } else {
        // In the rows that show a value; the ratio and status rows keep
        // their dimmed controls, which the text would otherwise run into.
        DrawValue(35, PSTR("Not present"));
        DrawValue(50, PSTR("Not present"));
        if (useAdvancedMode)
            DrawValue(80, PSTR("Not present"));
        DrawValue(118 + a, PSTR("Not present"));
    }
    controls.draw();
}

// The type and size rows describe DefL2CR, the configuration the kernel
// extension's own test found working; only "Current L2CR:" is live.
void BacksideCacheSubPane::drawValues()
{
    const short a = advancedOffset();
    const UInt32 defL2CR = theProcessor->getDefaultL2CR();
    if (defL2CR == kDefL2CRNotTested) {
        DrawValue(35, PSTR("Not tested"));
        DrawValue(50, PSTR("Not tested"));
    } else if (defL2CR == kDefL2CRNoWorkingSRAM) {
        DrawValue(35, PSTR("Bad SRAMs"));
        DrawValue(50, PSTR("Bad SRAMs"));
    } else {
        DrawValue(35, L2RAMCodeOf(defL2CR).appText);
        DrawString(L2OutputHoldCodeOf(defL2CR).appText);
        if (defL2CR & L2DF)
            DrawString(kL2DFAppText);
        DrawValue(50, L2SizeCodeOf(defL2CR).text);
    }

    if (useAdvancedMode) {
        const L2ClockRatio* recommended = L2ClockRatioOf(app->autoDetectRatio);
        DrawValue(80, recommended ? recommended->ratioText : PSTR("Not tested"));
    }

    Str255 l2cr;
    DrawValue(118 + a, NumToHex(theProcessor->getL2CR(), l2cr));
}

void BacksideCacheSubPane::invalidateCurrentL2CR()
{
    const short a = advancedOffset();
    Rect r;
    SetRect(&r, 150, static_cast<short>(94 + a), 295, static_cast<short>(120 + a));
    getMyWindow()->invalRect(&r);
}

void BacksideCacheSubPane::subPaneOpened()
{
    controls.showControl();
    prefs.backsideCacheDinked = true;
}

void BacksideCacheSubPane::subPaneClosed()
{
    controls.hideControl();
    prefs.backsideCacheDinked = false;
}
