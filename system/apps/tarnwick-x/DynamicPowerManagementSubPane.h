// "Dynamic Power Management": switches the processor's dynamic power
// management now (HID0 DPM) and chooses whether the startup item turns it on
// at the next boot.
#pragma once

#include <framework/PCheckButton.h>
#include <framework/PDinkSubPane.h>
#include <framework/PRadioGroup.h>

class DynamicPowerManagementStatusGroup : public PRadioGroup {
public:
    using PRadioGroup::PRadioGroup;
    void handleSelection(unsigned long item) override;
    ~DynamicPowerManagementStatusGroup() override;
};

class DynamicPowerManagementSubPane : public PDinkSubPane {
public:
    explicit DynamicPowerManagementSubPane(PTabPane* owner);
    ~DynamicPowerManagementSubPane() override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;

private:
    PCheckButton enableOnRestartBox;
    DynamicPowerManagementStatusGroup statusRadioGroup;
};
