// The shape the Motherboard Cache, Speculative Access and Dynamic Power
// Management sub-panes share: a status row with "On"/"Off" buttons that act
// at once, and a check box whose value the startup item applies at the next
// boot. Each sub-pane is this base described by a SwitchSubPaneLayout, plus a
// radio group of its own class, which does the switching and which its
// constructor hands to attachStatusGroup.
#pragma once

#include <framework/PCheckButton.h>
#include <framework/PControlList.h>
#include <framework/PDinkSubPane.h>
#include <framework/PRadioGroup.h>
#include <prefs/G3TarnwickAppPrefs.h>

struct SwitchSubPaneRow {
    short baseline;
    ConstStringPtr label; // at x = 19
    ConstStringPtr value; // at x = 150; nullptr for none
};

struct SwitchSubPaneLayout {
    ConstStringPtr title;
    unsigned long expandedHeight;
    Boolean G3TarnwickAppPrefs::*dinkedField;
    ConstStringPtr boxTitle;
    short boxLeft, boxTop, boxRight, boxBottom;
    Boolean G3TarnwickAppPrefs::*boxField; // the box's initial value, and where it goes at quit
    short buttonsLeft, onTop; // "On"'s corner; "Off" below it
    SwitchSubPaneRow rows[2]; // a row with no label ends the list
    bool neverActive; // the controls never react, whatever the processor
};

class SwitchSubPane : public PDinkSubPane {
public:
    ~SwitchSubPane() override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;

protected:
    SwitchSubPane(const SwitchSubPaneLayout& layout, PTabPane* owner);
    // Adds "On" and "Off" to the subclass's group and dims the controls the
    // user may not use. Called once, from the subclass's constructor.
    void attachStatusGroup(PRadioGroup& statusRadioGroup);

private:
    const SwitchSubPaneLayout& layout;
    PCheckButton onRestartBox;
    PControlList controls;
};
