// Sound.h: the system alert sound.
//
// Provided: SysBeep.
// Simplifications: there is no sound output; the SDL window host flashes
// nothing either. Each beep is counted and, with MACSIM_LOG_BEEPS=1, noted on
// standard error as "beep", so tests can see it.
#pragma once

#include <MacTypes.h>

void SysBeep(short duration);
