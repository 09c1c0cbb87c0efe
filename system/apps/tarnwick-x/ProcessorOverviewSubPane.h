// "Processor Overview": the processor's name, clock, temperature and PVR,
// read afresh at every drawing.
#pragma once

#include <framework/PDinkSubPane.h>

class ProcessorOverviewSubPane : public PDinkSubPane {
public:
    explicit ProcessorOverviewSubPane(PTabPane* owner);
    ~ProcessorOverviewSubPane() override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;
};
