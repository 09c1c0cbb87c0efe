#include <framework/PCheckButton.h>

namespace {
constexpr short kCheckBoxInWindowFont = checkBoxProc + useWFont;
}

PCheckButton::PCheckButton(short x1, short y1, short x2, short y2, const unsigned char* title, char enabled)
    : PStandardControl(x1, y1, x2, y2, title, enabled ? 1 : 0, 0, 1, kCheckBoxInWindowFont, "PCheckButton")
{
}

PCheckButton::~PCheckButton() = default;

void PCheckButton::select()
{
    if (myControl)
        SetControlValue(myControl, 1);
}

void PCheckButton::deselect()
{
    if (myControl)
        SetControlValue(myControl, 0);
}

long PCheckButton::getControlValue()
{
    return myControl ? GetControlValue(myControl) : 0;
}

char PCheckButton::handleMouseDown(const EventRecord* theEvent)
{
    if (!trackClick(theEvent, nullptr))
        return false;
    const short newValue = GetControlValue(myControl) ? 0 : 1;
    SetControlValue(myControl, newValue);
    if (newValue == 1)
        handleSelection();
    else
        handleDeselection();
    return true;
}
