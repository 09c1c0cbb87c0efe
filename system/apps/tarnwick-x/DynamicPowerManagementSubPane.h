// "Dynamic Power Management": switches the processor's dynamic power
// management now (HID0 DPM) and chooses whether the startup item turns it on
// at the next boot.
#pragma once

#include "SwitchSubPane.h"

class DynamicPowerManagementStatusGroup : public PRadioGroup {
public:
    using PRadioGroup::PRadioGroup;
    void handleSelection(unsigned long item) override;
    ~DynamicPowerManagementStatusGroup() override;
};

class DynamicPowerManagementSubPane : public SwitchSubPane {
public:
    explicit DynamicPowerManagementSubPane(PTabPane* owner);

private:
    DynamicPowerManagementStatusGroup statusRadioGroup;
};
