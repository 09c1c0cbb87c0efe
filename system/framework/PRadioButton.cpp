#include <framework/PRadioButton.h>

namespace {
constexpr short kRadioButtonInWindowFont = radioButProc + useWFont;
}

PRadioButton::PRadioButton(short x1, short y1, short x2, short y2, const unsigned char* name)
    : PStandardControl(x1, y1, x2, y2, name, 0, 0, 1, kRadioButtonInWindowFont, "PRadioButton")
    , next(nullptr)
{
}

PRadioButton::~PRadioButton() = default;

void PRadioButton::select()
{
    if (myControl)
        SetControlValue(myControl, 1);
}

void PRadioButton::deselect()
{
    if (myControl)
        SetControlValue(myControl, 0);
}
