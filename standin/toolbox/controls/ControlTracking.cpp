// Hit-testing and following the mouse. Points are local to the window's port
// under its present origin, the same coordinates the controls were given.
#include "controls/ControlRecord.h"

#include <Events.h>

namespace {

ControlPartCode partOf(ControlRef c)
{
    switch (c->kind) {
    case toolbox::ControlKind::PushButton:
        return kControlButtonPart;
    case toolbox::ControlKind::CheckBox:
        return kControlCheckBoxPart;
    case toolbox::ControlKind::RadioButton:
        return kControlRadioButtonPart;
    case toolbox::ControlKind::Popup:
        return kControlMenuPart;
    }
    return kControlNoPart;
}

void flush(ControlRef c)
{
    QDFlushPortBuffer(GetWindowPort(c->owner), nullptr);
}

// The mouse in the window's local coordinates.
Point mouseIn(ControlRef c)
{
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(c->owner);
    Point pt;
    GetMouse(&pt);
    SetPort(saved);
    return pt;
}

} // namespace

ControlPartCode TestControl(ControlRef theControl, Point testPoint)
{
    if (!theControl || !theControl->visible || toolbox::isDimmed(theControl))
        return kControlNoPart;
    if (!PtInRect(testPoint, &theControl->bounds))
        return kControlNoPart;
    if (theControl->kind == toolbox::ControlKind::Popup
        && testPoint.h < theControl->bounds.left + theControl->titleWidth)
        return kControlLabelPart;
    return partOf(theControl);
}

ControlPartCode FindControl(Point testPoint, WindowRef theWindow, ControlRef* theControl)
{
    const auto& controls = toolbox::controlsOf(theWindow);
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const ControlPartCode part = TestControl(*it, testPoint);
        if (part != kControlNoPart) {
            if (theControl)
                *theControl = *it;
            return part;
        }
    }
    if (theControl)
        *theControl = nullptr;
    return kControlNoPart;
}

ControlPartCode TrackControl(ControlRef theControl, Point startPoint, ControlActionUPP)
{
    const ControlPartCode part = TestControl(theControl, startPoint);
    if (part == kControlNoPart)
        return kControlNoPart;
    if (theControl->kind == toolbox::ControlKind::Popup)
        return toolbox::trackPopup(theControl);

    // Pressed while the mouse is over the control, released when it leaves.
    bool inside = true;
    HiliteControl(theControl, part);
    flush(theControl);
    while (StillDown()) {
        const bool now = PtInRect(mouseIn(theControl), &theControl->bounds);
        if (now != inside) {
            inside = now;
            HiliteControl(theControl, inside ? part : ControlPartCode(kControlNoPart));
            flush(theControl);
        }
    }
    // The release decides: where the button came up, not where it was last seen held.
    EventRecord up;
    if (GetNextEvent(mUpMask, &up)) {
        GrafPtr saved = nullptr;
        GetPort(&saved);
        SetPortWindowPort(theControl->owner);
        GlobalToLocal(&up.where);
        SetPort(saved);
        inside = PtInRect(up.where, &theControl->bounds);
    } else {
        inside = PtInRect(mouseIn(theControl), &theControl->bounds);
    }
    HiliteControl(theControl, kControlNoPart);
    flush(theControl);
    return inside ? part : ControlPartCode(kControlNoPart);
}
