// How the standard controls look: a light grey face with bevels, a black
// frame, and grey for everything when dimmed. Each call draws into the
// current port, in its current font, at the given local rectangle, and
// leaves colours and pen changed (callers keep them with SavedDrawingState).
#pragma once

#include <Quickdraw.h>

#include <string>

namespace toolbox {

struct ControlLookState {
    bool pressed = false;
    bool dimmed = false;
};

void drawPushButton(const Rect& r, const std::string& title, ControlLookState state);
// value: 0 clear, 1 checked, 2 mixed.
void drawCheckBox(const Rect& r, const std::string& title, int value, ControlLookState state);
void drawRadioButton(const Rect& r, const std::string& title, int value, ControlLookState state);
// A pop-up: `title` in the first titleWidth pixels, then a shadowed box
// showing `itemText` (shortened with an ellipsis to fit) and a down arrow.
void drawPopup(const Rect& r, int titleWidth, const std::string& title, const std::string& itemText,
    ControlLookState state);
// The heavy rounded outline around a dialog's default button.
void drawDefaultRing(const Rect& buttonRect, bool dimmed);

// The baseline that centres one line of the port's font vertically in r.
short centredBaseline(const Rect& r);
// `text` shortened with a trailing ellipsis to at most maxWidth pixels in the port's font.
std::string fitText(const std::string& text, int maxWidth);

} // namespace toolbox
