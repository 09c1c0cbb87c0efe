// SDL's keyboard to the Mac's: virtual key codes by key position, characters
// as typed, and the modifiers (Ctrl and the Super key both act as Command,
// Alt as Option).
#pragma once

#include "host/KeyPositions.h"

#include <Events.h>

#include <SDL.h>

namespace toolbox {

EventModifiers modifiersOf(SDL_Keymod mod);
bool isModifierKey(SDL_Scancode code);
// False for keys the Mac has no code for.
bool macKeyOf(const SDL_Keysym& keysym, MacKey& out);

} // namespace toolbox
