#include "BacksideCacheSubPaneWriteThruBox.h"

#include "BacksideCacheSubPane.h"

#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <registers/L2CRFields.h>

BacksideCacheSubPaneWriteThruBox::BacksideCacheSubPaneWriteThruBox(BacksideCacheSubPane* pane)
    : PCheckButton(16, 142 + pane->advancedOffset(), 113, 154 + pane->advancedOffset(),
        PSTR("Write-Thru Mode"), prefs.writeThruMode ? 1 : 0)
    , myPane(pane)
{
}

void BacksideCacheSubPaneWriteThruBox::handleSelection()
{
    const UInt32 l2cr = theProcessor->getL2CR();
    if (!L2CacheEnabled(l2cr))
        return;
    theProcessor->setL2CR(l2cr | L2WT);
    myPane->invalidateCurrentL2CR();
}

void BacksideCacheSubPaneWriteThruBox::handleDeselection()
{
    const UInt32 l2cr = theProcessor->getL2CR();
    if (!L2CacheEnabled(l2cr))
        return;
    theProcessor->setL2CR(l2cr & kClearL2WT);
    myPane->invalidateCurrentL2CR();
}
