#include "BacksideCacheSubPaneTestRatioPush.h"

#include "BacksideCacheSubPane.h"

// Starts where the Write-Thru box above it ends (its bottom is 154), so that
// neither covers the other's title.
BacksideCacheSubPaneTestRatioPush::BacksideCacheSubPaneTestRatioPush(BacksideCacheSubPane* pane)
    : PPushButton(16, 154 + pane->advancedOffset(), 113, 170 + pane->advancedOffset(), PSTR("Test Ratio"))
    , myPane(pane)
{
    disable();
}
