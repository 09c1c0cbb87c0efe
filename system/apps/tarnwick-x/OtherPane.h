// The "Other" tab: speculative access and dynamic power management.
#pragma once

#include <framework/PTabPane.h>

class SpeculativeDisableSubPane;
class DynamicPowerManagementSubPane;

class OtherPane : public PTabPane {
public:
    explicit OtherPane(PTabManager* tabManager);
    ~OtherPane();

private:
    // Owned by the tab pane's band list.
    SpeculativeDisableSubPane* speculativeDisableSubPane;
    DynamicPowerManagementSubPane* dynamicPowerManagementSubPane;
};
