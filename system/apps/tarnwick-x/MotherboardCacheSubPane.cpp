#include "MotherboardCacheSubPane.h"

#include "PaneText.h"

#include <prefs/G3TarnwickAppPrefs.h>

namespace {

constexpr unsigned long kOff = 1;

} // namespace

void MotherboardCacheStatusGroup::handleSelection(unsigned long)
{
}

MotherboardCacheStatusGroup::~MotherboardCacheStatusGroup() = default;

MotherboardCacheSubPane::MotherboardCacheSubPane(PTabPane* owner)
    : PDinkSubPane(PSTR("Motherboard Cache"), 104, owner, prefs.motherboardCacheDinked)
    , disableOnRestartBox(
          16, 76, 122, 84, PSTR("Disable on Restart"), prefs.disableMotherboardCacheOnRestart ? 1 : 0)
    , statusRadioGroup(kOff)
{
    statusRadioGroup.addButton(150, 41, 185, 53, PSTR("On"));
    statusRadioGroup.addButton(150, 60, 185, 72, PSTR("Off"));
    disableOnRestartBox.disable();
    statusRadioGroup.disable();
    statusRadioGroup.selectItem(kOff, false);
}

MotherboardCacheSubPane::~MotherboardCacheSubPane()
{
    prefs.disableMotherboardCacheOnRestart = disableOnRestartBox.getControlValue() ? 1 : 0;
}

char MotherboardCacheSubPane::handleMouseDown(const EventRecord* theEvent)
{
    if (PDinkSubPane::handleMouseDown(theEvent))
        return true;
    if (disableOnRestartBox.handleMouseDown(theEvent))
        return true;
    return statusRadioGroup.handleMouseDown(theEvent);
}

void MotherboardCacheSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();
    DrawLabel(35, PSTR("Motherboard cache size:"));
    DrawValue(35, PSTR("Not present"));
    DrawLabel(50, PSTR("Motherboard cache status:"));
    disableOnRestartBox.draw();
    statusRadioGroup.draw();
}

void MotherboardCacheSubPane::subPaneOpened()
{
    disableOnRestartBox.showControl();
    statusRadioGroup.showControl();
    prefs.motherboardCacheDinked = true;
}

void MotherboardCacheSubPane::subPaneClosed()
{
    disableOnRestartBox.hideControl();
    statusRadioGroup.hideControl();
    prefs.motherboardCacheDinked = false;
}
