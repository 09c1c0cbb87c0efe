// What the framework's control classes share: creating their platform control
// out of sight, and a record of every control they made, by kind, so that a
// window's structure can be listed (DumpWindowStructure).
#pragma once

#include <Controls.h>

#include <vector>

// Creates a control in the front window with the rectangle left x1, top y1,
// right x2, bottom y2 moved 1000 pixels right and down, visible, with `owner`
// as its reference constant, and records it under `kind` (a class name).
ControlHandle NewParkedControl(short x1, short y1, short x2, short y2, const unsigned char* title,
    short value, short minimum, short maximum, short procID, const void* owner, const char* kind);

// Forgets the control and disposes of it; null does nothing.
void DisposeParkedControl(ControlHandle control);

struct PControlRecord {
    ControlHandle control;
    const char* kind;
};

// The recorded controls whose owner is `window`, oldest first.
std::vector<PControlRecord> ParkedControlsOf(WindowRef window);
