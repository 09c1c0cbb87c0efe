// The Control Manager's record of one control, and the list of each window's
// controls (oldest first: drawing order; hit-testing goes newest first).
#pragma once

#include <Controls.h>

#include <string>
#include <vector>

namespace toolbox {

enum class ControlKind { PushButton, CheckBox, RadioButton, Popup };

} // namespace toolbox

struct OpaqueControlRef {
    WindowRef owner = nullptr;
    toolbox::ControlKind kind = toolbox::ControlKind::PushButton;
    bool windowFont = false; // title in the port's font rather than the system font
    Rect bounds {};
    std::string title; // Mac Roman
    SInt16 value = 0;
    SInt16 minimum = 0;
    SInt16 maximum = 0;
    long reference = 0;
    bool visible = false;
    UInt8 hilite = 0; // 0 active, 255 dimmed, else the part drawn pressed
    // Pop-ups only.
    MenuRef menu = nullptr;
    short menuID = 0;
    short titleWidth = 0;
};

namespace toolbox {

// The controls of `window`, oldest first (empty for a window without any).
const std::vector<ControlRef>& controlsOf(WindowRef window);
void addControl(ControlRef control);
void removeControl(ControlRef control);

bool isDimmed(ControlRef control);
// The rectangle where a pop-up shows its current item (right of the title area).
Rect popupBoxOf(ControlRef control);

// Pop-up menus: find or load the menu and keep it among the pop-up menus
// while a control uses it; false when there is no such menu.
bool attachPopupMenu(ControlRef control, short menuID);
void detachPopupMenu(ControlRef control);
// Shows the pop-up's menu over it and follows the mouse; the part hit or 0.
ControlPartCode trackPopup(ControlRef control);

} // namespace toolbox
