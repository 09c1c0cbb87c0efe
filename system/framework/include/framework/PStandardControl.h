// The part every framework control shares: one platform control, created out
// of sight, whose reference constant is the object, and the place (visX,
// visY) where showControl puts its top-left corner. Coordinates are local to
// the origin in force when an operation is called: a sub-pane's controls are
// shown, drawn and hit-tested while the origin sits at the sub-pane's corner.
#pragma once

#include <Controls.h>
#include <Events.h>

class PStandardControl {
public:
    PStandardControl(const PStandardControl&) = delete;
    PStandardControl& operator=(const PStandardControl&) = delete;

    void enable(); // active
    void disable(); // dimmed, deaf to clicks
    void draw();
    void showControl(); // to (visX, visY)
    void hideControl(); // out of sight again

protected:
    PStandardControl(short x1, short y1, short x2, short y2, const unsigned char* title, short value,
        short minimum, short maximum, short procID, const char* kind);
    ~PStandardControl();

    // The control's part under the event's point, tracked to the release:
    // true when the mouse went up inside it. Converts `where` to local
    // coordinates of the current port.
    bool trackClick(const EventRecord* theEvent, ControlActionUPP actionProc);
    // The part hit-test alone, for a local point.
    bool hitBy(Point local) const;

    ControlHandle myControl;
    short visX;
    short visY;
};
