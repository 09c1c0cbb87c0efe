// The calls Quickdraw.h declares on the host's behalf: the cursor, and
// showing at once what has been drawn.
#include <Quickdraw.h>

#include "events/EventCenter.h"

void InitCursor()
{
    // The host's own arrow is the only cursor; starting the event machinery
    // here opens the window as the program's first toolbox call.
    toolbox::EventCenter::get();
}

void SetCursor(const Cursor*)
{
}

void HideCursor()
{
}

void ShowCursor()
{
}

void ObscureCursor()
{
}

OSStatus QDFlushPortBuffer(CGrafPtr, RgnHandle)
{
    toolbox::EventCenter::get().present();
    return noErr;
}
