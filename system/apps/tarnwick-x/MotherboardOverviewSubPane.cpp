#include "MotherboardOverviewSubPane.h"

#include "G3TarnwickApp.h"
#include "PaneText.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>

#include <Quickdraw.h>

MotherboardOverviewSubPane::MotherboardOverviewSubPane(PTabPane* owner)
    : PDinkSubPane(PSTR("Motherboard Overview"), 80, owner, prefs.motherboardOverviewDinked)
{
}

MotherboardOverviewSubPane::~MotherboardOverviewSubPane() = default;

void MotherboardOverviewSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();

    DrawLabel(35, PSTR("Machine ID:"));
    MoveTo(kValueX, 35);
    DrawNumber(app->machineTypeGest);

    DrawLabel(50, PSTR("Model name:"));
    DrawValue(50, theProcessor->getMachineName());

    DrawLabel(65, PSTR("Bus speed:"));
    MoveTo(kValueX, 65);
    DrawNumber(static_cast<long>(WholeMHz(theProcessor->getBusSpeed())));
    DrawString(PSTR(" MHz"));
}

void MotherboardOverviewSubPane::subPaneOpened()
{
    prefs.motherboardOverviewDinked = true;
}

void MotherboardOverviewSubPane::subPaneClosed()
{
    prefs.motherboardOverviewDinked = false;
}
