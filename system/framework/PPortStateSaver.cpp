#include <framework/PPortStateSaver.h>

PPortStateSaver::PPortStateSaver()
    : savedClip(NewRgn())
{
    GetPort(&savedPort);
    Rect bounds;
    GetPortBounds(savedPort, &bounds);
    savedOrigin.h = bounds.left;
    savedOrigin.v = bounds.top;
    GetClip(savedClip);
    GetPenState(&savedPen);
    GetForeColor(&savedForeColor);
    GetBackColor(&savedBackColor);
    savedFont = GetPortTextFont(savedPort);
    savedSize = GetPortTextSize(savedPort);
    savedFace = GetPortTextFace(savedPort);
}

PPortStateSaver::~PPortStateSaver()
{
    // A hook may have made another port current (a modal dialog's, say);
    // the state belongs to the port that was current when we were made.
    SetPort(savedPort);
    SetOrigin(savedOrigin.h, savedOrigin.v);
    SetClip(savedClip);
    DisposeRgn(savedClip);
    SetPenState(&savedPen);
    RGBForeColor(&savedForeColor);
    RGBBackColor(&savedBackColor);
    TextFont(savedFont);
    TextSize(savedSize);
    TextFace(savedFace);
}

void SetOriginToCorner(const Rect& corner)
{
    SetOrigin(static_cast<short>(-corner.left), static_cast<short>(-corner.top));
}
