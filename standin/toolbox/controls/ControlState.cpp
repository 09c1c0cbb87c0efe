// A control's value, range, title, highlight, visibility and place. Changes
// that show are drawn at once, under the port's origin in force at the call.
#include "controls/ControlRecord.h"

#include <algorithm>

namespace {

void redraw(ControlRef c)
{
    if (c->visible)
        Draw1Control(c);
}

// Erases the control's rectangle with the window's background colour.
void erase(ControlRef c)
{
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(c->owner);
    EraseRect(&c->bounds);
    SetPort(saved);
}

} // namespace

void ShowControl(ControlRef theControl)
{
    if (!theControl || theControl->visible)
        return;
    theControl->visible = true;
    Draw1Control(theControl);
}

void HideControl(ControlRef theControl)
{
    if (!theControl || !theControl->visible)
        return;
    theControl->visible = false;
    erase(theControl);
}

Boolean IsControlVisible(ControlRef inControl)
{
    return inControl && inControl->visible;
}

Boolean IsControlActive(ControlRef inControl)
{
    return inControl && !toolbox::isDimmed(inControl);
}

void HiliteControl(ControlRef theControl, ControlPartCode hiliteState)
{
    if (!theControl)
        return;
    const UInt8 state = static_cast<UInt8>(hiliteState);
    if (theControl->hilite == state)
        return;
    theControl->hilite = state;
    redraw(theControl);
}

UInt16 GetControlHilite(ControlRef inControl)
{
    return inControl ? inControl->hilite : 0;
}

void MoveControl(ControlRef theControl, SInt16 h, SInt16 v)
{
    if (!theControl)
        return;
    const bool wasVisible = theControl->visible;
    HideControl(theControl);
    OffsetRect(&theControl->bounds, h - theControl->bounds.left, v - theControl->bounds.top);
    if (wasVisible)
        ShowControl(theControl);
}

void SizeControl(ControlRef theControl, SInt16 w, SInt16 h)
{
    if (!theControl)
        return;
    const bool wasVisible = theControl->visible;
    HideControl(theControl);
    theControl->bounds.right = theControl->bounds.left + w;
    theControl->bounds.bottom = theControl->bounds.top + h;
    if (wasVisible)
        ShowControl(theControl);
}

Rect* GetControlBounds(ControlRef control, Rect* bounds)
{
    if (control && bounds)
        *bounds = control->bounds;
    return bounds;
}

void SetControlTitle(ControlRef theControl, ConstStr255Param title)
{
    if (!theControl)
        return;
    theControl->title
        = title ? std::string(reinterpret_cast<const char*>(title + 1), title[0]) : std::string();
    redraw(theControl);
}

void GetControlTitle(ControlRef theControl, Str255 title)
{
    if (!title)
        return;
    title[0] = 0;
    if (!theControl)
        return;
    title[0] = static_cast<unsigned char>(theControl->title.size());
    std::copy(theControl->title.begin(), theControl->title.end(), title + 1);
}

SInt16 GetControlValue(ControlRef theControl)
{
    return theControl ? theControl->value : 0;
}

void SetControlValue(ControlRef theControl, SInt16 newValue)
{
    if (!theControl)
        return;
    newValue = std::clamp(newValue, theControl->minimum, std::max(theControl->minimum, theControl->maximum));
    if (newValue == theControl->value)
        return;
    theControl->value = newValue;
    redraw(theControl);
}

SInt16 GetControlMinimum(ControlRef theControl)
{
    return theControl ? theControl->minimum : 0;
}

void SetControlMinimum(ControlRef theControl, SInt16 newMinimum)
{
    if (!theControl)
        return;
    theControl->minimum = newMinimum;
    if (theControl->maximum < newMinimum)
        theControl->maximum = newMinimum;
    if (theControl->value < newMinimum) {
        theControl->value = newMinimum;
        redraw(theControl);
    }
}

SInt16 GetControlMaximum(ControlRef theControl)
{
    return theControl ? theControl->maximum : 0;
}

void SetControlMaximum(ControlRef theControl, SInt16 newMaximum)
{
    if (!theControl)
        return;
    theControl->maximum = std::max(newMaximum, theControl->minimum);
    if (theControl->value > theControl->maximum) {
        theControl->value = theControl->maximum;
        redraw(theControl);
    }
}

void SetControlReference(ControlRef theControl, long data)
{
    if (theControl)
        theControl->reference = data;
}

long GetControlReference(ControlRef theControl)
{
    return theControl ? theControl->reference : 0;
}

WindowRef GetControlOwner(ControlRef inControl)
{
    return inControl ? inControl->owner : nullptr;
}
