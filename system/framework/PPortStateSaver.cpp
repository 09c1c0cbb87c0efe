#include <framework/PPortStateSaver.h>

PPortStateSaver::PPortStateSaver()
{
    GetPort(&savedPort);
    Rect bounds;
    GetPortBounds(savedPort, &bounds);
    savedOrigin.h = bounds.left;
    savedOrigin.v = bounds.top;
    GetForeColor(&savedForeColor);
    GetBackColor(&savedBackColor);
}

PPortStateSaver::~PPortStateSaver()
{
    // A hook may have made another port current (a modal dialog's, say);
    // the state belongs to the port that was current when we were made.
    SetPort(savedPort);
    SetOrigin(savedOrigin.h, savedOrigin.v);
    RGBForeColor(&savedForeColor);
    RGBBackColor(&savedBackColor);
}

void SetOriginToCorner(const Rect& corner)
{
    SetOrigin(static_cast<short>(-corner.left), static_cast<short>(-corner.top));
}
