// How window frames look, kept apart from the Window Manager's logic: the
// parts of a frame for each window kind, and their drawing.
//
// Document windows (and movable dialog boxes) have a 1-pixel black outline, a
// title bar of 18 pixels above the content with the title centred, stripes
// and a close box while the window is in front, and a 1-pixel shadow.
// Modal dialog boxes (dBoxProc) have an 8-pixel double border; plainDBox a
// plain outline; altDBoxProc an outline with a 2-pixel shadow.
#pragma once

#include "quickdraw/Region.h"

struct OpaqueWindowPtr;

namespace toolbox {

struct FrameParts {
    IRect outline; // the frame's outer edge, shadow not included
    int shadow = 0; // shadow width below and right of the outline
    IRect titleBar; // inside the outline, above the content; empty if none
    IRect closeBox; // empty if none
    IRect zoomBox; // empty if none
    IRect growBox; // in the content's bottom-right corner; empty if none
    bool movable = false; // the frame outside the content is a drag region
};

FrameParts frameParts(const OpaqueWindowPtr& w);
// Outline and shadow: everything the window covers on the screen.
Region structureRegion(const OpaqueWindowPtr& w);
// Draws the frame (the structure less the content) where it lies in clip.
void drawWindowFrame(const OpaqueWindowPtr& w, const Region& clip);
void drawCloseBox(const OpaqueWindowPtr& w, bool pressed, const Region& clip);
void drawZoomBox(const OpaqueWindowPtr& w, bool pressed, const Region& clip);

} // namespace toolbox
