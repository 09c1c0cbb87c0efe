#include "DynamicPowerManagementSubPane.h"

#include "G3TarnwickApp.h"
#include "OnOffButtons.h"

#include <processor/PProcessor.h>
#include <registers/HID0Bits.h>

namespace {

const SwitchSubPaneLayout kLayout = {PSTR("Dynamic Power Management"), 89,
    &G3TarnwickAppPrefs::dynamicPowerManagementDinked, PSTR("Enable Dynamic Power Management on Restart"), 16,
    61, 245, 73, &G3TarnwickAppPrefs::enableDynamicPowerManagementOnRestart, 200, 26,
    {{35, PSTR("Dynamic Power Management status:"), nullptr}}, false};

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
    : SwitchSubPane(kLayout, owner)
    , statusRadioGroup(OnOffItem((theProcessor->getHID0() & DPM) && ProcessorIsSupported()))
{
    attachStatusGroup(statusRadioGroup);
}
