// What the rest of the layer asks of the Window Manager: update events for
// the event queue, titles to click for event scripts, and a check that a
// WindowRef is one of ours.
#pragma once

#include <Events.h>
#include <MacWindows.h>

#include <string>

namespace toolbox {

// The update event of the frontmost visible window whose update region is
// not empty (what, message only); false if there is none.
bool nextUpdateEvent(EventRecord& out);
// The centre of the most recent drawn text equal to `title` that shows in
// the front window; false with a reason otherwise.
bool locateDrawnTitle(const std::string& title, Point& where, std::string& error);
// Writes what every visible window shows, front to back, to `path`: a line
// "window L T R B "title"" (its content, global), then for each text it
// drew "text L T R B "text"" and for each control "control KIND L T R B
// "title"" (global rectangles of what shows, oldest first).
bool writeLayout(const std::string& path, std::string& error);
bool isLiveWindow(WindowRef w);

} // namespace toolbox
