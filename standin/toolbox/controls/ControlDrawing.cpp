// Drawing controls: the window's port is made current and its drawing state
// kept; the control is drawn at its rectangle under the port's present origin.
#include "appearance/ControlLook.h"
#include "appearance/SavedDrawingState.h"
#include "controls/ControlRecord.h"
#include "quickdraw/DrawnTexts.h"

#include <Fonts.h>

namespace toolbox {

Rect popupBoxOf(ControlRef control)
{
    Rect box = control->bounds;
    box.left = static_cast<short>(box.left + control->titleWidth);
    return box;
}

namespace {

std::string popupItemText(ControlRef c)
{
    Str255 text;
    text[0] = 0;
    if (c->menu && c->value >= 1 && c->value <= CountMenuItems(c->menu))
        GetMenuItemText(c->menu, static_cast<MenuItemIndex>(c->value), text);
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

} // namespace

} // namespace toolbox

void Draw1Control(ControlRef theControl)
{
    using namespace toolbox;
    if (!theControl || !theControl->visible)
        return;
    SavedDrawingState saved(GetWindowPort(theControl->owner));
    if (!theControl->windowFont) {
        TextFont(systemFont);
        TextSize(0);
        TextFace(normal);
    }
    PenNormal();
    ControlLookState state;
    state.dimmed = isDimmed(theControl);
    state.pressed = !state.dimmed && theControl->hilite != 0;
    switch (theControl->kind) {
    case ControlKind::PushButton:
        drawPushButton(theControl->bounds, theControl->title, state);
        break;
    case ControlKind::CheckBox:
        drawCheckBox(theControl->bounds, theControl->title, theControl->value, state);
        break;
    case ControlKind::RadioButton:
        drawRadioButton(theControl->bounds, theControl->title, theControl->value, state);
        break;
    case ControlKind::Popup:
        drawPopup(
            theControl->bounds, theControl->titleWidth, theControl->title, popupItemText(theControl), state);
        break;
    }
    static const char* const kKinds[] = {"button", "checkbox", "radio", "popup"};
    recordDrawnControl(GetWindowPort(theControl->owner), kKinds[int(theControl->kind)], theControl->title,
        theControl->bounds);
}

void DrawControls(WindowRef theWindow)
{
    for (ControlRef c : toolbox::controlsOf(theWindow))
        Draw1Control(c);
}
