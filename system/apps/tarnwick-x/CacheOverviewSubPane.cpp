#include "CacheOverviewSubPane.h"

#include "G3TarnwickApp.h"
#include "PaneText.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <registers/L2CRFields.h>

#include <Quickdraw.h>

CacheOverviewSubPane::CacheOverviewSubPane(PTabPane* owner)
    : PDinkSubPane(PSTR("Cache Overview"), 80, owner, prefs.cacheOverviewDinked)
{
}

CacheOverviewSubPane::~CacheOverviewSubPane() = default;

void CacheOverviewSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();

    DrawLabel(35, PSTR("Backside cache size:"));
    DrawLabel(50, PSTR("Backside cache speed:"));
    DrawLabel(65, PSTR("Motherboard cache size:"));

    // Unlike the Tarnwick tab, which describes DefL2CR, this is the live L2CR.
    if (!ProcessorIsSupported()) {
        DrawValue(35, PSTR("Not present"));
        DrawValue(50, PSTR("Not present"));
    } else if (const UInt32 l2cr = theProcessor->getL2CR(); !L2CacheEnabled(l2cr)) {
        DrawValue(35, PSTR("Disabled"));
        DrawValue(50, PSTR("Disabled"));
    } else {
        DrawValue(35, L2SizeCodeOf(l2cr).text);
        MoveTo(kValueX, 50);
        DrawNumber(static_cast<long>(WholeMHz(theProcessor->getL2CacheSpeed())));
        DrawString(PSTR(" MHz ["));
        const L2ClockRatio* ratio = L2ClockRatioOf(l2cr);
        DrawString(ratio ? ratio->ratioText : kL2NoRatioAppText);
        DrawString(PSTR("]"));
    }

    if (app->motherboardCacheSize == 0) {
        DrawValue(65, PSTR("Not present or disabled"));
    } else {
        MoveTo(kValueX, 65);
        DrawNumber(static_cast<long>(app->motherboardCacheSize / 1024));
        DrawString(PSTR(" K"));
    }
}

void CacheOverviewSubPane::subPaneOpened()
{
    prefs.cacheOverviewDinked = true;
}

void CacheOverviewSubPane::subPaneClosed()
{
    prefs.cacheOverviewDinked = false;
}
