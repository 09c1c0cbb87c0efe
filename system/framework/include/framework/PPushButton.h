// A push button in the window's font; handleClick runs when the mouse is
// released inside it.
#pragma once

#include <framework/PStandardControl.h>

class PPushButton : public PStandardControl {
public:
    PPushButton(short x1, short y1, short x2, short y2, const unsigned char* title);
    virtual ~PPushButton();
    virtual void handleClick() { }

    void setTitle(const unsigned char* title);
    // True when the click belonged to the button (released inside it).
    char handleMouseDown(const EventRecord* theEvent);
};
