// "Speculative Access": switches the processor's speculative cache access now
// (HID0 SPD, set = off) and chooses whether the startup item turns it off at
// the next boot.
#pragma once

#include <framework/PCheckButton.h>
#include <framework/PDinkSubPane.h>
#include <framework/PRadioGroup.h>

class SpeculativeDisableStatusGroup : public PRadioGroup {
public:
    using PRadioGroup::PRadioGroup;
    void handleSelection(unsigned long item) override;
    ~SpeculativeDisableStatusGroup() override;
};

class SpeculativeDisableSubPane : public PDinkSubPane {
public:
    explicit SpeculativeDisableSubPane(PTabPane* owner);
    ~SpeculativeDisableSubPane() override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;

private:
    PCheckButton disableOnRestartBox;
    SpeculativeDisableStatusGroup statusRadioGroup;
};
