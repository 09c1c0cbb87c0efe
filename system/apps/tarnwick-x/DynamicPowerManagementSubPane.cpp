#include "DynamicPowerManagementSubPane.h"

#include "G3TarnwickApp.h"
#include "PaneText.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <registers/HID0Bits.h>

namespace {

constexpr unsigned long kOn = 0;
constexpr unsigned long kOff = 1;

unsigned long InitialItem()
{
    return (theProcessor->getHID0() & DPM) && ProcessorIsSupported() ? kOn : kOff;
}

} // namespace

// At once, also when the button was already selected.
void DynamicPowerManagementStatusGroup::handleSelection(unsigned long item)
{
    if (item == kOn)
        theProcessor->setHID0Bits(DPM);
    else
        theProcessor->clearHID0Bits(DPM);
}

DynamicPowerManagementStatusGroup::~DynamicPowerManagementStatusGroup() = default;

DynamicPowerManagementSubPane::DynamicPowerManagementSubPane(PTabPane* owner)
    : PDinkSubPane(PSTR("Dynamic Power Management"), 89, owner, prefs.dynamicPowerManagementDinked)
    , enableOnRestartBox(16, 61, 245, 73, PSTR("Enable Dynamic Power Management on Restart"),
          prefs.enableDynamicPowerManagementOnRestart ? 1 : 0)
    , statusRadioGroup(InitialItem())
{
    statusRadioGroup.addButton(200, 26, 235, 38, PSTR("On"));
    statusRadioGroup.addButton(200, 45, 235, 57, PSTR("Off"));
    if (!ProcessorIsSupported() || !authorized) {
        enableOnRestartBox.disable();
        statusRadioGroup.disable();
    }
}

DynamicPowerManagementSubPane::~DynamicPowerManagementSubPane()
{
    prefs.enableDynamicPowerManagementOnRestart = enableOnRestartBox.getControlValue() ? 1 : 0;
}

char DynamicPowerManagementSubPane::handleMouseDown(const EventRecord* theEvent)
{
    if (PDinkSubPane::handleMouseDown(theEvent))
        return true;
    if (enableOnRestartBox.handleMouseDown(theEvent))
        return true;
    return statusRadioGroup.handleMouseDown(theEvent);
}

void DynamicPowerManagementSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();
    DrawLabel(35, PSTR("Dynamic Power Management status:"));
    enableOnRestartBox.draw();
    statusRadioGroup.draw();
}

void DynamicPowerManagementSubPane::subPaneOpened()
{
    enableOnRestartBox.showControl();
    statusRadioGroup.showControl();
    prefs.dynamicPowerManagementDinked = true;
}

void DynamicPowerManagementSubPane::subPaneClosed()
{
    enableOnRestartBox.hideControl();
    statusRadioGroup.hideControl();
    prefs.dynamicPowerManagementDinked = false;
}
