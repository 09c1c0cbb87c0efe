#include "OtherPane.h"

#include "DynamicPowerManagementSubPane.h"
#include "SpeculativeDisableSubPane.h"

OtherPane::OtherPane(PTabManager* tabManager)
    : PTabPane(PSTR("Other"), tabManager)
{
    speculativeDisableSubPane = new SpeculativeDisableSubPane(this);
    dynamicPowerManagementSubPane = new DynamicPowerManagementSubPane(this);
}

OtherPane::~OtherPane() = default;
