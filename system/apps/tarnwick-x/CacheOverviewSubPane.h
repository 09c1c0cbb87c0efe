// "Cache Overview": the live backside cache's size and clock, and the
// motherboard cache, which the application cannot detect.
#pragma once

#include <framework/PDinkSubPane.h>

class CacheOverviewSubPane : public PDinkSubPane {
public:
    explicit CacheOverviewSubPane(PTabPane* owner);
    ~CacheOverviewSubPane() override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;
};
