// Event scripts: one command a line, "#" starts a comment line.
//
//   keys option [shift] [cmd] [control]   keys held as the program starts
//   click X Y | press X Y | move X Y | release X Y     global coordinates
//   key [cmd] [option] [shift] [control] CHAR          CHAR: a character or
//        return, enter, tab, space, escape, delete, left, right, up, down ...
//   wait TICKS
//   snapshot FILE.png                     the whole screen
//   layout FILE                           the texts and controls each window shows
//   quit                                  sends the 'quit' Apple event
//   menu TITLE ITEM                       chooses a menu item by its texts
//   click-title TEXT                      clicks the title TEXT in the front window
//
// Arguments with spaces are written in double quotes ("About Tarnwick X...");
// click-title takes the rest of its line. The Apple menu may be named "apple".
#pragma once

#include <Events.h>
#include <MacTypes.h>

#include <string>
#include <vector>

namespace toolbox {

struct ScriptStep {
    enum class Kind { Click, Press, Move, Release, Key, Wait, Snapshot, Layout, Quit, Menu, ClickTitle };
    Kind kind = Kind::Quit;
    int line = 0;
    Point where {0, 0};
    EventModifiers modifiers = 0;
    UInt8 charCode = 0;
    UInt8 keyCode = 0;
    UInt32 ticks = 0;
    std::string text; // snapshot or layout file, menu title, title to click
    std::string item; // menu item
};

struct ParsedScript {
    std::vector<ScriptStep> steps;
    EventModifiers launchKeys = 0;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// False (and the first error) if the text is not a valid script.
bool parseScript(const std::string& text, ParsedScript& out, ScriptError& error);

} // namespace toolbox
