// The keys of a PC keyboard the Mac has: each position named as the hosts
// receive it (its USB HID usage, which is what SDL's scancodes are, and its
// Linux input code), with the Mac key it is and what it types on a US
// layout. Ctrl and the Super key both act as Command, Alt as Option.
#pragma once

#include <Events.h>

namespace toolbox {

struct KeyPosition {
    UInt16 hidUsage;
    UInt16 linuxCode;
    char usCharacter; // unshifted; 0 for the keys below
    UInt8 charCode; // keys that type no printable character
    UInt8 keyCode;
    EventModifiers modifier; // modifier keys: the one they hold; 0 otherwise
};

// Null for a position the Mac has no key for.
const KeyPosition* keyByHidUsage(unsigned usage);
const KeyPosition* keyByLinuxCode(unsigned code);

struct MacKey {
    UInt8 charCode = 0;
    UInt8 keyCode = 0;
};

// The Mac key and character of a non-modifier position, with these
// modifiers held. typed: the character the user's layout gives the key, or
// 0 for the US layout's. False for a modifier key.
bool macKeyAt(const KeyPosition& key, UInt8 typed, EventModifiers modifiers, MacKey& out);

} // namespace toolbox
