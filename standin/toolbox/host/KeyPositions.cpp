#include "host/KeyPositions.h"

#include "events/KeyCodes.h"

#include <linux/input-event-codes.h>

namespace toolbox {

namespace {

constexpr KeyPosition kPositions[] = {
    {0x04, KEY_A, 'a', 0, 0, 0},
    {0x05, KEY_B, 'b', 0, 0, 0},
    {0x06, KEY_C, 'c', 0, 0, 0},
    {0x07, KEY_D, 'd', 0, 0, 0},
    {0x08, KEY_E, 'e', 0, 0, 0},
    {0x09, KEY_F, 'f', 0, 0, 0},
    {0x0A, KEY_G, 'g', 0, 0, 0},
    {0x0B, KEY_H, 'h', 0, 0, 0},
    {0x0C, KEY_I, 'i', 0, 0, 0},
    {0x0D, KEY_J, 'j', 0, 0, 0},
    {0x0E, KEY_K, 'k', 0, 0, 0},
    {0x0F, KEY_L, 'l', 0, 0, 0},
    {0x10, KEY_M, 'm', 0, 0, 0},
    {0x11, KEY_N, 'n', 0, 0, 0},
    {0x12, KEY_O, 'o', 0, 0, 0},
    {0x13, KEY_P, 'p', 0, 0, 0},
    {0x14, KEY_Q, 'q', 0, 0, 0},
    {0x15, KEY_R, 'r', 0, 0, 0},
    {0x16, KEY_S, 's', 0, 0, 0},
    {0x17, KEY_T, 't', 0, 0, 0},
    {0x18, KEY_U, 'u', 0, 0, 0},
    {0x19, KEY_V, 'v', 0, 0, 0},
    {0x1A, KEY_W, 'w', 0, 0, 0},
    {0x1B, KEY_X, 'x', 0, 0, 0},
    {0x1C, KEY_Y, 'y', 0, 0, 0},
    {0x1D, KEY_Z, 'z', 0, 0, 0},
    {0x1E, KEY_1, '1', 0, 0, 0},
    {0x1F, KEY_2, '2', 0, 0, 0},
    {0x20, KEY_3, '3', 0, 0, 0},
    {0x21, KEY_4, '4', 0, 0, 0},
    {0x22, KEY_5, '5', 0, 0, 0},
    {0x23, KEY_6, '6', 0, 0, 0},
    {0x24, KEY_7, '7', 0, 0, 0},
    {0x25, KEY_8, '8', 0, 0, 0},
    {0x26, KEY_9, '9', 0, 0, 0},
    {0x27, KEY_0, '0', 0, 0, 0},
    {0x2C, KEY_SPACE, ' ', 0, 0, 0},
    {0x2D, KEY_MINUS, '-', 0, 0, 0},
    {0x2E, KEY_EQUAL, '=', 0, 0, 0},
    {0x2F, KEY_LEFTBRACE, '[', 0, 0, 0},
    {0x30, KEY_RIGHTBRACE, ']', 0, 0, 0},
    {0x31, KEY_BACKSLASH, '\\', 0, 0, 0},
    {0x33, KEY_SEMICOLON, ';', 0, 0, 0},
    {0x34, KEY_APOSTROPHE, '\'', 0, 0, 0},
    {0x35, KEY_GRAVE, '`', 0, 0, 0},
    {0x36, KEY_COMMA, ',', 0, 0, 0},
    {0x37, KEY_DOT, '.', 0, 0, 0},
    {0x38, KEY_SLASH, '/', 0, 0, 0},
    {0x28, KEY_ENTER, 0, 0x0D, kKeyReturn, 0},
    {0x58, KEY_KPENTER, 0, 0x03, kKeyPadEnter, 0},
    {0x2B, KEY_TAB, 0, 0x09, kKeyTab, 0},
    {0x2A, KEY_BACKSPACE, 0, 0x08, kKeyDelete, 0},
    {0x29, KEY_ESC, 0, 0x1B, kKeyEscape, 0},
    {0x4C, KEY_DELETE, 0, 0x7F, kKeyForwardDelete, 0},
    {0x4A, KEY_HOME, 0, 0x01, kKeyHome, 0},
    {0x4D, KEY_END, 0, 0x04, kKeyEnd, 0},
    {0x4B, KEY_PAGEUP, 0, 0x0B, kKeyPageUp, 0},
    {0x4E, KEY_PAGEDOWN, 0, 0x0C, kKeyPageDown, 0},
    {0x50, KEY_LEFT, 0, 0x1C, kKeyLeft, 0},
    {0x4F, KEY_RIGHT, 0, 0x1D, kKeyRight, 0},
    {0x52, KEY_UP, 0, 0x1E, kKeyUp, 0},
    {0x51, KEY_DOWN, 0, 0x1F, kKeyDown, 0},
    {0xE0, KEY_LEFTCTRL, 0, 0, kKeyCommand, cmdKey},
    {0xE4, KEY_RIGHTCTRL, 0, 0, kKeyCommand, cmdKey},
    {0xE3, KEY_LEFTMETA, 0, 0, kKeyCommand, cmdKey},
    {0xE7, KEY_RIGHTMETA, 0, 0, kKeyCommand, cmdKey},
    {0xE1, KEY_LEFTSHIFT, 0, 0, kKeyShift, shiftKey},
    {0xE5, KEY_RIGHTSHIFT, 0, 0, kKeyShift, shiftKey},
    {0xE2, KEY_LEFTALT, 0, 0, kKeyOption, optionKey},
    {0xE6, KEY_RIGHTALT, 0, 0, kKeyOption, optionKey},
    {0x39, KEY_CAPSLOCK, 0, 0, kKeyCapsLock, alphaLock},
};

} // namespace

const KeyPosition* keyByHidUsage(unsigned usage)
{
    for (const auto& key : kPositions) {
        if (key.hidUsage == usage)
            return &key;
    }
    return nullptr;
}

const KeyPosition* keyByLinuxCode(unsigned code)
{
    for (const auto& key : kPositions) {
        if (key.linuxCode == code)
            return &key;
    }
    return nullptr;
}

bool macKeyAt(const KeyPosition& key, UInt8 typed, EventModifiers modifiers, MacKey& out)
{
    if (key.modifier)
        return false;
    if (!key.usCharacter) {
        out.charCode = key.charCode;
        out.keyCode = key.keyCode;
        return true;
    }
    KeyStroke stroke;
    if (!keyForCharacter(UInt8(key.usCharacter), stroke))
        return false;
    out.keyCode = stroke.keyCode;
    const UInt8 ch = typed ? typed : UInt8(key.usCharacter);
    bool shifted = (modifiers & shiftKey) != 0;
    if (ch >= 'a' && ch <= 'z' && (modifiers & alphaLock))
        shifted = !shifted;
    out.charCode = shifted ? shiftedCharacter(ch) : ch;
    return true;
}

} // namespace toolbox
