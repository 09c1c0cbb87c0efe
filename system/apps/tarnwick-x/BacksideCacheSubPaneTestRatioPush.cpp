#include "BacksideCacheSubPaneTestRatioPush.h"

#include "BacksideCacheSubPane.h"

BacksideCacheSubPaneTestRatioPush::BacksideCacheSubPaneTestRatioPush(BacksideCacheSubPane* pane)
    : PPushButton(16, 150 + pane->advancedOffset(), 113, 166 + pane->advancedOffset(), PSTR("Test Ratio"))
    , myPane(pane)
{
    disable();
}
