// The On/Off buttons of the backside cache sub-pane: "Off" stops the cache at
// once; "On" starts it from DefL2CR with the ratio the pop-up shows and the
// write-through box's mode, after the warnings that ratio calls for. When
// "On" writes nothing, the buttons go back to what the cache does.
#pragma once

#include <framework/PRadioGroup.h>

class BacksideCacheSubPane;

class BacksideCacheStatusGroup : public PRadioGroup {
public:
    explicit BacksideCacheStatusGroup(BacksideCacheSubPane* pane);
    void handleSelection(unsigned long item) override;

private:
    // False when the user declined a warning (nothing to redraw).
    bool switchOn();
    // The button that says what the cache does, without acting on it.
    void showCacheState();

    BacksideCacheSubPane* myPane;
};
