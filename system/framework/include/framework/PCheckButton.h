// A check box in the window's font. A completed click flips its value and
// tells the subclass which way it went.
#pragma once

#include <framework/PStandardControl.h>

class PCheckButton : public PStandardControl {
public:
    // `enabled` is the initial checked state (0 or 1).
    PCheckButton(short x1, short y1, short x2, short y2, const unsigned char* title, char enabled);
    virtual ~PCheckButton();
    virtual void handleSelection() { } // a click checked the box
    virtual void handleDeselection() { } // a click cleared the box

    void select(); // checked, no hook
    void deselect(); // cleared, no hook
    long getControlValue();

    // True when the click belonged to the box (released inside it).
    char handleMouseDown(const EventRecord* theEvent);
};
