// "Backside Cache", the first sub-pane of the "Tarnwick" tab: how the L2
// cache is configured, and the controls that change it now (ratio, on/off,
// write-through) or at the next boot (enable on restart).
//
// In advanced mode the ratio menu has the automatic entry and two more
// ratios, a "Recommended ratio:" row and the "Test Ratio" button appear, and
// everything below the ratio row sits advancedOffset() = 15 pixels lower.
#pragma once

#include "BacksideCacheStatusGroup.h"
#include "BacksideCacheSubPaneCacheRatioPopup.h"
#include "BacksideCacheSubPaneTestRatioPush.h"
#include "BacksideCacheSubPaneWriteThruBox.h"

#include <framework/PCheckButton.h>
#include <framework/PControlList.h>
#include <framework/PDinkSubPane.h>

#include <MacTypes.h>

class BacksideCacheSubPane : public PDinkSubPane {
public:
    explicit BacksideCacheSubPane(PTabPane* owner);
    ~BacksideCacheSubPane() override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;

    static short advancedOffset();
    // Marks the "Current L2CR:" value (and the Off button beside it) for
    // redrawing; called with the origin at the sub-pane's corner.
    void invalidateCurrentL2CR();

    PCheckButton enableOnRestartBox;
    BacksideCacheSubPaneWriteThruBox writeThruBox;
    BacksideCacheStatusGroup statusRadioGroup;
    BacksideCacheSubPaneCacheRatioPopup cacheRatioPopup;
    BacksideCacheSubPaneTestRatioPush testRatioPush;

private:
    void setRatioItemTexts();
    void drawValues();

    PControlList controls; // in drawing order; Test Ratio in advanced mode only
};
