// The "Write-Thru Mode" box: with the cache on, ticking or clearing it
// rewrites L2CR's write-through bit at once. Its value reaches the
// preferences when the sub-pane is destroyed.
#pragma once

#include <framework/PCheckButton.h>

class BacksideCacheSubPane;

class BacksideCacheSubPaneWriteThruBox : public PCheckButton {
public:
    explicit BacksideCacheSubPaneWriteThruBox(BacksideCacheSubPane* pane);
    void handleSelection() override;
    void handleDeselection() override;

private:
    BacksideCacheSubPane* myPane;
};
