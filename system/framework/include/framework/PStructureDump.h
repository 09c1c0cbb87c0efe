// A plain-text listing of a framework window's structure, for tests and
// debugging: the window's title and size, each tab with its title
// rectangle and whether it is active, each tab's bands with their rectangles
// and open state, and every control the framework made in the window with
// its kind, rectangle, title, value, range, highlight and visibility. The
// text depends only on that structure, never on addresses or timing.
#pragma once

#include <string>

class PTabManager;
class PWindow;

// `tabs` may be null for a window without tabs.
std::string DumpWindowStructure(PWindow* window, const PTabManager* tabs);
