// The "On" and "Off" radio buttons of the sub-panes that switch something at
// once: "On" is item 0, "Off" item 1 below it, each 35 by 12 pixels.
#pragma once

#include <framework/PRadioGroup.h>

constexpr unsigned long kOn = 0;
constexpr unsigned long kOff = 1;

constexpr unsigned long OnOffItem(bool on)
{
    return on ? kOn : kOff;
}

// "On" with its top-left corner at (left, onTop), "Off" 19 pixels lower.
inline void AddOnOffButtons(PRadioGroup& group, short left, short onTop)
{
    group.addButton(left, onTop, left + 35, onTop + 12, PSTR("On"));
    group.addButton(left, onTop + 19, left + 35, onTop + 31, PSTR("Off"));
}
