#include "MotherboardCacheSubPane.h"

#include "OnOffButtons.h"

namespace {

const SwitchSubPaneLayout kLayout = {PSTR("Motherboard Cache"), 104,
    &G3TarnwickAppPrefs::motherboardCacheDinked, PSTR("Disable on Restart"), 16, 76, 122, 84,
    &G3TarnwickAppPrefs::disableMotherboardCacheOnRestart, 150, 41,
    {{35, PSTR("Motherboard cache size:"), PSTR("Not present")},
        {50, PSTR("Motherboard cache status:"), nullptr}},
    true};

} // namespace

void MotherboardCacheStatusGroup::handleSelection(unsigned long)
{
}

MotherboardCacheStatusGroup::~MotherboardCacheStatusGroup() = default;

MotherboardCacheSubPane::MotherboardCacheSubPane(PTabPane* owner)
    : SwitchSubPane(kLayout, owner)
    , statusRadioGroup(kOff)
{
    attachStatusGroup(statusRadioGroup);
}
