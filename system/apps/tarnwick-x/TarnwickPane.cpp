#include "TarnwickPane.h"

#include "BacksideCacheSubPane.h"
#include "MotherboardCacheSubPane.h"

TarnwickPane::TarnwickPane(PTabManager* tabManager)
    : PTabPane(PSTR("Tarnwick"), tabManager)
{
    backsideCacheSubPane = new BacksideCacheSubPane(this);
    motherboardCacheSubPane = new MotherboardCacheSubPane(this);
}

TarnwickPane::~TarnwickPane() = default;
