#include <framework/PStandardControl.h>

#include <framework/PControlSupport.h>

namespace {
constexpr short kParkedCorner = 1000;
constexpr ControlPartCode kActive = 0;
constexpr ControlPartCode kDimmed = 255;
} // namespace

PStandardControl::PStandardControl(short x1, short y1, short x2, short y2, const unsigned char* title,
    short value, short minimum, short maximum, short procID, const char* kind)
    : myControl(nullptr)
    , visX(x1)
    , visY(y1)
{
    myControl = NewParkedControl(x1, y1, x2, y2, title, value, minimum, maximum, procID, this, kind);
}

PStandardControl::~PStandardControl()
{
    DisposeParkedControl(myControl);
}

void PStandardControl::enable()
{
    if (myControl)
        HiliteControl(myControl, kActive);
}

void PStandardControl::disable()
{
    if (myControl)
        HiliteControl(myControl, kDimmed);
}

void PStandardControl::draw()
{
    if (myControl)
        Draw1Control(myControl);
}

void PStandardControl::showControl()
{
    if (myControl)
        MoveControl(myControl, visX, visY);
}

void PStandardControl::hideControl()
{
    if (myControl)
        MoveControl(myControl, kParkedCorner, kParkedCorner);
}

bool PStandardControl::hitBy(Point local) const
{
    return myControl && TestControl(myControl, local) != kControlNoPart;
}

bool PStandardControl::trackClick(const EventRecord* theEvent, ControlActionUPP actionProc)
{
    Point local = theEvent->where;
    GlobalToLocal(&local);
    if (!hitBy(local))
        return false;
    return TrackControl(myControl, local, actionProc) != kControlNoPart;
}
