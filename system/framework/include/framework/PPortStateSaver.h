// Keeps the drawing state the framework relies on across a call into code it
// does not control (a sub-pane's hook, a control's tracking): the current
// port and that port's origin, clip region, pen, colours and text settings
// come back when the saver goes out of scope, also when the hook throws.
// Without it an exception in a hook would leave the window's port shifted to
// a sub-pane's corner.
#pragma once

#include <Quickdraw.h>

class PPortStateSaver {
public:
    PPortStateSaver();
    ~PPortStateSaver();
    PPortStateSaver(const PPortStateSaver&) = delete;
    PPortStateSaver& operator=(const PPortStateSaver&) = delete;

    const RGBColor& backColor() const { return savedBackColor; }

private:
    GrafPtr savedPort;
    Point savedOrigin; // h, v of the port rectangle's top-left corner
    RgnHandle savedClip;
    PenState savedPen;
    RGBColor savedForeColor;
    RGBColor savedBackColor;
    short savedFont;
    short savedSize;
    Style savedFace;
};

// Moves the current port's origin so that `corner` (in coordinates with the
// origin at (0, 0)) becomes (0, 0).
void SetOriginToCorner(const Rect& corner);
