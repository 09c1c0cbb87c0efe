// The cache ratio pop-up of the backside cache sub-pane. Choosing an item
// with the cache on rewrites L2CR's clock field at once and remembers the
// choice for the next boot; with the cache off it changes nothing but the
// item shown, which the On button then uses.
//
// The pop-up's items and the stored selection (1 automatic, 2..8 the ratios
// 1:1 .. 4:1) line up one to one in advanced mode; in normal mode the menu
// starts at 1:1, so item n stands for selection n + 1.
#pragma once

#include <framework/PPopupMenu.h>

#include <MacTypes.h>

class BacksideCacheSubPane;

class BacksideCacheSubPaneCacheRatioPopup : public PPopupMenu {
public:
    explicit BacksideCacheSubPaneCacheRatioPopup(BacksideCacheSubPane* pane);
    void handleClick() override;

    // The L2CLK value of the item shown; 0 for the automatic entry.
    UInt32 getCacheRatio();
    // The item that stands for a stored selection, and back.
    static unsigned long itemForSelection(UInt32 selection);
    static UInt32 selectionForItem(unsigned long item);

private:
    BacksideCacheSubPane* myPane;
};
