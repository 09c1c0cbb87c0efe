// The "System Profile" tab: a read-only report on the processor, its
// backside cache and the machine, in three collapsible sub-panes.
#pragma once

#include <framework/PTabPane.h>

class ProcessorOverviewSubPane;
class CacheOverviewSubPane;
class MotherboardOverviewSubPane;

class SystemProfilePane : public PTabPane {
public:
    explicit SystemProfilePane(PTabManager* tabManager);
    ~SystemProfilePane();

private:
    // Owned by the tab pane's band list.
    ProcessorOverviewSubPane* processorOverviewSubPane;
    CacheOverviewSubPane* cacheOverviewSubPane;
    MotherboardOverviewSubPane* motherboardOverviewSubPane;
};
