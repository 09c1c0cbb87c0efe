// The On/Off buttons of the backside cache sub-pane: "Off" stops the cache at
// once; "On" starts it from DefL2CR with the ratio the pop-up shows and the
// write-through box's mode, after the warnings that ratio calls for.
#pragma once

#include <framework/PRadioGroup.h>

class BacksideCacheSubPane;

class BacksideCacheStatusGroup : public PRadioGroup {
public:
    static constexpr unsigned long kOn = 0;
    static constexpr unsigned long kOff = 1;

    explicit BacksideCacheStatusGroup(BacksideCacheSubPane* pane);
    void handleSelection(unsigned long item) override;

private:
    // False when the user declined a warning (nothing to redraw).
    bool switchOn();

    BacksideCacheSubPane* myPane;
};
