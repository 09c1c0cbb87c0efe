#include <framework/PPushButton.h>

namespace {
constexpr short kPushButtonInWindowFont = pushButProc + useWFont;
}

PPushButton::PPushButton(short x1, short y1, short x2, short y2, const unsigned char* title)
    : PStandardControl(x1, y1, x2, y2, title, 0, 0, 1, kPushButtonInWindowFont, "PPushButton")
{
}

PPushButton::~PPushButton() = default;

void PPushButton::setTitle(const unsigned char* title)
{
    if (myControl)
        SetControlTitle(myControl, title);
}

char PPushButton::handleMouseDown(const EventRecord* theEvent)
{
    if (!trackClick(theEvent, nullptr))
        return false;
    handleClick();
    return true;
}
