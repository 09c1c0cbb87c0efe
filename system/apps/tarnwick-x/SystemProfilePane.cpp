#include "SystemProfilePane.h"

#include "CacheOverviewSubPane.h"
#include "MotherboardOverviewSubPane.h"
#include "ProcessorOverviewSubPane.h"

SystemProfilePane::SystemProfilePane(PTabManager* tabManager)
    : PTabPane(PSTR("System Profile"), tabManager)
{
    processorOverviewSubPane = new ProcessorOverviewSubPane(this);
    cacheOverviewSubPane = new CacheOverviewSubPane(this);
    motherboardOverviewSubPane = new MotherboardOverviewSubPane(this);
}

SystemProfilePane::~SystemProfilePane() = default;
