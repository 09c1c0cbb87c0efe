// The Mac's virtual key codes (positions on the US keyboard) and the
// characters they type, for the SDL host and for event scripts.
#pragma once

#include <MacTypes.h>

#include <string>

namespace toolbox {

enum : UInt8 {
    kKeyReturn = 0x24,
    kKeyTab = 0x30,
    kKeySpace = 0x31,
    kKeyDelete = 0x33,
    kKeyEscape = 0x35,
    kKeyCommand = 0x37,
    kKeyShift = 0x38,
    kKeyCapsLock = 0x39,
    kKeyOption = 0x3A,
    kKeyControl = 0x3B,
    kKeyPadEnter = 0x4C,
    kKeyHome = 0x73,
    kKeyPageUp = 0x74,
    kKeyForwardDelete = 0x75,
    kKeyEnd = 0x77,
    kKeyPageDown = 0x79,
    kKeyLeft = 0x7B,
    kKeyRight = 0x7C,
    kKeyDown = 0x7D,
    kKeyUp = 0x7E,
};

struct KeyStroke {
    UInt8 charCode = 0;
    UInt8 keyCode = 0;
    bool shifted = false; // typed with the Shift key
};

// The key that types printable ASCII character ch on a US keyboard.
bool keyForCharacter(UInt8 ch, KeyStroke& out);
// Keys by name: return, enter, tab, space, escape (esc), delete (backspace),
// forward-delete, home, end, page-up, page-down, left, right, up, down.
bool keyForName(const std::string& name, KeyStroke& out);
// The character a US keyboard types for unshifted character ch with Shift held.
UInt8 shiftedCharacter(UInt8 ch);

} // namespace toolbox
