#include "SwitchSubPane.h"

#include "G3TarnwickApp.h"
#include "OnOffButtons.h"
#include "PaneText.h"

SwitchSubPane::SwitchSubPane(const SwitchSubPaneLayout& layout, PTabPane* owner)
    : PDinkSubPane(layout.title, layout.expandedHeight, owner, prefs.*layout.dinkedField)
    , layout(layout)
    , onRestartBox(layout.boxLeft, layout.boxTop, layout.boxRight, layout.boxBottom, layout.boxTitle,
          prefs.*layout.boxField ? 1 : 0)
{
}

void SwitchSubPane::attachStatusGroup(PRadioGroup& statusRadioGroup)
{
    AddOnOffButtons(statusRadioGroup, layout.buttonsLeft, layout.onTop);
    controls.add(onRestartBox);
    controls.add(statusRadioGroup);
    if (layout.neverActive) {
        controls.disable();
        statusRadioGroup.selectItem(kOff, false);
    } else if (!ProcessorIsSupported() || !authorized) {
        controls.disable();
    }
}

// The box's value reaches the preferences, which main writes after the
// window (and with it this pane) is gone.
SwitchSubPane::~SwitchSubPane()
{
    prefs.*layout.boxField = onRestartBox.getControlValue() ? 1 : 0;
}

char SwitchSubPane::handleMouseDown(const EventRecord* theEvent)
{
    return PDinkSubPane::handleMouseDown(theEvent) || controls.handleMouseDown(theEvent);
}

void SwitchSubPane::draw()
{
    PDinkSubPane::draw();
    UsePaneFont();
    for (const SwitchSubPaneRow& row : layout.rows) {
        if (!row.label)
            break;
        DrawLabel(row.baseline, row.label);
        if (row.value)
            DrawValue(row.baseline, row.value);
    }
    controls.draw();
}

void SwitchSubPane::subPaneOpened()
{
    controls.showControl();
    prefs.*layout.dinkedField = true;
}

void SwitchSubPane::subPaneClosed()
{
    controls.hideControl();
    prefs.*layout.dinkedField = false;
}
