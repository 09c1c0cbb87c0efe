// "Motherboard Cache": no Macintosh this application serves has one, so the
// sub-pane reports it absent and its controls never react. The check box
// keeps the stored choice, which is written back unchanged.
#pragma once

#include <framework/PCheckButton.h>
#include <framework/PDinkSubPane.h>
#include <framework/PRadioGroup.h>

class MotherboardCacheStatusGroup : public PRadioGroup {
public:
    using PRadioGroup::PRadioGroup;
    void handleSelection(unsigned long item) override;
    ~MotherboardCacheStatusGroup() override;
};

class MotherboardCacheSubPane : public PDinkSubPane {
public:
    explicit MotherboardCacheSubPane(PTabPane* owner);
    ~MotherboardCacheSubPane() override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;

private:
    PCheckButton disableOnRestartBox;
    MotherboardCacheStatusGroup statusRadioGroup;
};
