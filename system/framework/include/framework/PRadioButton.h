// One radio button of a PRadioGroup. Only the group creates, walks and
// destroys buttons; they are numbered from 0 in the order they were added.
#pragma once

#include <framework/PStandardControl.h>

class PRadioButton : public PStandardControl {
private:
    friend class PRadioGroup;

    PRadioButton(short x1, short y1, short x2, short y2, const unsigned char* name);
    ~PRadioButton();

    void select(); // value 1, no hook
    void deselect(); // value 0, no hook

    PRadioButton* next; // the button added after this one
};
