// Creating and disposing of controls, and the per-window lists they live in.
#include "controls/ControlRecord.h"

#include <algorithm>
#include <map>

namespace toolbox {

namespace {

std::map<WindowRef, std::vector<ControlRef>>& lists()
{
    // Never destroyed: what it holds lives as long as the process, as on a
    // Mac, and stays reachable for leak checkers at exit.
    static auto& all = *new std::map<WindowRef, std::vector<ControlRef>>;
    return all;
}

} // namespace

const std::vector<ControlRef>& controlsOf(WindowRef window)
{
    static const std::vector<ControlRef> none;
    const auto it = lists().find(window);
    return it == lists().end() ? none : it->second;
}

void addControl(ControlRef control)
{
    lists()[control->owner].push_back(control);
}

void removeControl(ControlRef control)
{
    const auto it = lists().find(control->owner);
    if (it == lists().end())
        return;
    std::erase(it->second, control);
    if (it->second.empty())
        lists().erase(it);
}

bool isDimmed(ControlRef control)
{
    return control->hilite == kControlInactivePart || control->hilite == kControlDisabledPart;
}

} // namespace toolbox

ControlRef NewControl(WindowRef owningWindow, const Rect* boundsRect, ConstStr255Param controlTitle,
    Boolean initiallyVisible, SInt16 initialValue, SInt16 minimumValue, SInt16 maximumValue, SInt16 procID,
    long controlReference)
{
    using toolbox::ControlKind;
    if (!owningWindow || !boundsRect)
        return nullptr;
    auto* c = new OpaqueControlRef;
    c->owner = owningWindow;
    c->bounds = *boundsRect;
    if (controlTitle)
        c->title.assign(reinterpret_cast<const char*>(controlTitle + 1), controlTitle[0]);
    c->value = initialValue;
    c->minimum = minimumValue;
    c->maximum = maximumValue;
    c->reference = controlReference;
    if (procID >= popupMenuProc && procID < popupMenuProc + 16) {
        c->kind = ControlKind::Popup;
        c->windowFont = (procID - popupMenuProc) & popupUseWFont;
        c->titleWidth = std::max<SInt16>(maximumValue, 0);
        if (!toolbox::attachPopupMenu(c, minimumValue)) {
            delete c;
            return nullptr;
        }
        // As on a Mac, the pop-up then ranges over its items and shows the first.
        c->minimum = 1;
        c->maximum = std::max<SInt16>(1, static_cast<SInt16>(CountMenuItems(c->menu)));
        c->value = 1;
    } else if (procID >= 0 && procID < 16 && (procID & 7) <= radioButProc) {
        static const ControlKind kinds[]
            = {ControlKind::PushButton, ControlKind::CheckBox, ControlKind::RadioButton};
        c->kind = kinds[procID & 7];
        c->windowFont = procID & useWFont;
        if (c->maximum < c->minimum)
            c->maximum = c->minimum;
        c->value = std::clamp(c->value, c->minimum, c->maximum);
    } else {
        delete c;
        return nullptr;
    }
    toolbox::addControl(c);
    if (initiallyVisible) {
        c->visible = true;
        Draw1Control(c);
    }
    return c;
}

void DisposeControl(ControlRef theControl)
{
    if (!theControl)
        return;
    HideControl(theControl);
    toolbox::removeControl(theControl);
    if (theControl->kind == toolbox::ControlKind::Popup)
        toolbox::detachPopupMenu(theControl);
    delete theControl;
}

void KillControls(WindowRef theWindow)
{
    // Newest first, as each disposal changes the list.
    while (!toolbox::controlsOf(theWindow).empty())
        DisposeControl(toolbox::controlsOf(theWindow).back());
}
