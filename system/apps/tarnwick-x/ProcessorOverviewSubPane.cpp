#include "ProcessorOverviewSubPane.h"

#include "G3TarnwickApp.h"
#include "PaneText.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <support/UtilityFunctions.h>

#include <Quickdraw.h>

ProcessorOverviewSubPane::ProcessorOverviewSubPane(PTabPane* owner)
    : PDinkSubPane(PSTR("Processor Overview"), 95, owner, prefs.processorOverviewDinked)
{
}

ProcessorOverviewSubPane::~ProcessorOverviewSubPane() = default;

void ProcessorOverviewSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();

    DrawLabel(35, PSTR("Processor info:"));
    DrawValue(35, theProcessor->getName());

    DrawLabel(50, PSTR("Processor speed:"));
    MoveTo(kValueX, 50);
    DrawNumber(static_cast<long>(WholeMHz(theProcessor->getSpeed())));
    DrawString(PSTR(" MHz"));

    DrawLabel(65, PSTR("Temperature:"));
    if (ProcessorIsSupported()) {
        // The sensor reads signed degrees; the Fahrenheit value is computed
        // signed too, so that a reading below zero stays a sensible number.
        const SInt32 celsius = static_cast<SInt32>(theProcessor->getTemperature());
        MoveTo(kValueX, 65);
        DrawNumber(celsius);
        DrawString(PSTR(" C ("));
        DrawNumber(9 * static_cast<long>(celsius) / 5 + 32);
        DrawString(PSTR(" F)"));
    } else {
        DrawValue(65, PSTR("Unavailable on this processor"));
    }

    DrawLabel(80, PSTR("Processor version number:"));
    Str255 pvr;
    DrawValue(80, NumToHex(theProcessor->getPVR(), pvr));
}

void ProcessorOverviewSubPane::subPaneOpened()
{
    prefs.processorOverviewDinked = true;
}

void ProcessorOverviewSubPane::subPaneClosed()
{
    prefs.processorOverviewDinked = false;
}
