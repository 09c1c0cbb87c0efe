// "Speculative Access": switches the processor's speculative cache access now
// (HID0 SPD, set = off) and chooses whether the startup item turns it off at
// the next boot.
#pragma once

#include "SwitchSubPane.h"

class SpeculativeDisableStatusGroup : public PRadioGroup {
public:
    using PRadioGroup::PRadioGroup;
    void handleSelection(unsigned long item) override;
    ~SpeculativeDisableStatusGroup() override;
};

class SpeculativeDisableSubPane : public SwitchSubPane {
public:
    explicit SpeculativeDisableSubPane(PTabPane* owner);

private:
    SpeculativeDisableStatusGroup statusRadioGroup;
};
