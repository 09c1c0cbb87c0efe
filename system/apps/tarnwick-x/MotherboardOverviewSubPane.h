// "Motherboard Overview": the machine's Gestalt type, model name and bus clock.
#pragma once

#include <framework/PDinkSubPane.h>

class MotherboardOverviewSubPane : public PDinkSubPane {
public:
    explicit MotherboardOverviewSubPane(PTabPane* owner);
    ~MotherboardOverviewSubPane() override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;
};
