#include "SpeculativeDisableSubPane.h"

#include "G3TarnwickApp.h"
#include "OnOffButtons.h"

#include <processor/PProcessor.h>
#include <registers/HID0Bits.h>

namespace {

const SwitchSubPaneLayout kLayout = {PSTR("Speculative Access"), 89,
    &G3TarnwickAppPrefs::speculativeAccessDinked, PSTR("Disable Speculative Access on Restart"), 16, 61, 208,
    73, &G3TarnwickAppPrefs::disableSpeculativeAccessOnRestart, 150, 26,
    {{35, PSTR("Speculative access status:"), nullptr}}, false};

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
    : SwitchSubPane(kLayout, owner)
    , statusRadioGroup(OnOffItem(!(theProcessor->getHID0() & SPD) && ProcessorIsSupported()))
{
    attachStatusGroup(statusRadioGroup);
}
