// The layer's own alert icons, for alerts and for dialog icon items 0 to 2
// when the program has no 'cicn' of that ID.
#pragma once

#include <Quickdraw.h>

namespace toolbox {

// kind: 0 stop, 1 note, 2 caution. Drawn at r's top-left, 32x32, through
// its transparent parts; leaves the foreground colour changed.
void drawAlertIcon(int kind, const Rect& r);

} // namespace toolbox
