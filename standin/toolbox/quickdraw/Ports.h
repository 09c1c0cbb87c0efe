// The layer's own handling of graphics ports: placing a port on the screen,
// moving and resizing it, and the clips the Window Manager imposes. Ports are
// embedded in window records; these calls stand in for OpenCPort/ClosePort.
#pragma once

#include <Quickdraw.h>

namespace toolbox {

// Sets up port as a fresh colour port on the screen whose content occupies
// globalBounds: portRect = (0, 0, height, width), origin (0, 0), visRgn =
// portRect, clipRgn wide open, pen and colours and text at their defaults
// (black on white, font 0 size 0, plain, srcOr).
void initPort(CGrafPtr port, const Rect& globalBounds);
// Frees what initPort allocated; the port must not be current afterwards
// (if it is, the screen port becomes current).
void closePort(CGrafPtr port);
// Moves the port's content so that its top-left lies at (globalLeft,
// globalTop); local coordinates (and the origin) are unchanged.
void movePort(CGrafPtr port, short globalLeft, short globalTop);
// Changes the content size: portRect keeps its top-left; the visible region
// becomes the new portRect (set it again afterwards if the window is covered).
void resizePort(CGrafPtr port, short width, short height);
// The screen rectangle the port rectangle covers right now.
Rect portGlobalRect(CGrafPtr port);
Point portToGlobal(CGrafPtr port, Point local);
Point globalToPort(CGrafPtr port, Point global);

// The visible region given in global coordinates (the part of the window's
// content not covered by windows in front); nullptr means the whole portRect.
// The region is copied.
void setVisibleRegion(CGrafPtr port, RgnHandle globalRgn);
// While an update is in progress: drawing in port is also clipped to
// globalRgn (copied). nullptr ends it.
void setUpdateClip(CGrafPtr port, RgnHandle globalRgn);

// A port for the whole screen in global coordinates (desktop, menu bar);
// current until some other port is set.
CGrafPtr screenPort();

} // namespace toolbox
