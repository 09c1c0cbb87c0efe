#include "SpeculativeDisableSubPane.h"

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
    return (theProcessor->getHID0() & SPD) || !ProcessorIsSupported() ? kOff : kOn;
}

} // namespace

// At once, also when the button was already selected. The application's
// "Off" sets SPD alone; the startup item sets more bits at boot.
void SpeculativeDisableStatusGroup::handleSelection(unsigned long item)
{
    if (item == kOn)
        theProcessor->clearHID0Bits(SPD);
    else
        theProcessor->setHID0Bits(SPD);
}

SpeculativeDisableStatusGroup::~SpeculativeDisableStatusGroup() = default;

SpeculativeDisableSubPane::SpeculativeDisableSubPane(PTabPane* owner)
    : PDinkSubPane(PSTR("Speculative Access"), 89, owner, prefs.speculativeAccessDinked)
    , disableOnRestartBox(16, 61, 208, 73, PSTR("Disable Speculative Access on Restart"),
          prefs.disableSpeculativeAccessOnRestart ? 1 : 0)
    , statusRadioGroup(InitialItem())
{
    statusRadioGroup.addButton(150, 26, 185, 38, PSTR("On"));
    statusRadioGroup.addButton(150, 45, 185, 57, PSTR("Off"));
    if (!ProcessorIsSupported() || !authorized) {
        disableOnRestartBox.disable();
        statusRadioGroup.disable();
    }
}

SpeculativeDisableSubPane::~SpeculativeDisableSubPane()
{
    prefs.disableSpeculativeAccessOnRestart = disableOnRestartBox.getControlValue() ? 1 : 0;
}

char SpeculativeDisableSubPane::handleMouseDown(const EventRecord* theEvent)
{
    if (PDinkSubPane::handleMouseDown(theEvent))
        return true;
    if (disableOnRestartBox.handleMouseDown(theEvent))
        return true;
    return statusRadioGroup.handleMouseDown(theEvent);
}

void SpeculativeDisableSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();
    DrawLabel(35, PSTR("Speculative access status:"));
    disableOnRestartBox.draw();
    statusRadioGroup.draw();
}

void SpeculativeDisableSubPane::subPaneOpened()
{
    disableOnRestartBox.showControl();
    statusRadioGroup.showControl();
    prefs.speculativeAccessDinked = true;
}

void SpeculativeDisableSubPane::subPaneClosed()
{
    disableOnRestartBox.hideControl();
    statusRadioGroup.hideControl();
    prefs.speculativeAccessDinked = false;
}
