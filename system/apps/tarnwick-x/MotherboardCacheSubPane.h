// "Motherboard Cache": no Macintosh this application serves has one, so the
// sub-pane reports it absent and its controls never react. The check box
// keeps the stored choice, which is written back unchanged.
#pragma once

#include "SwitchSubPane.h"

class MotherboardCacheStatusGroup : public PRadioGroup {
public:
    using PRadioGroup::PRadioGroup;
    void handleSelection(unsigned long item) override;
    ~MotherboardCacheStatusGroup() override;
};

class MotherboardCacheSubPane : public SwitchSubPane {
public:
    explicit MotherboardCacheSubPane(PTabPane* owner);

private:
    MotherboardCacheStatusGroup statusRadioGroup;
};
