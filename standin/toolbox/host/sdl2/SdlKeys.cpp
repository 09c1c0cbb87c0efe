#include "host/sdl2/SdlKeys.h"

#include "events/KeyCodes.h"

namespace toolbox {

namespace {

// The character a key position types on a US keyboard, unshifted.
char usCharacter(SDL_Scancode code)
{
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return char('a' + (code - SDL_SCANCODE_A));
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return char('1' + (code - SDL_SCANCODE_1));
    switch (code) {
    case SDL_SCANCODE_0:
        return '0';
    case SDL_SCANCODE_MINUS:
        return '-';
    case SDL_SCANCODE_EQUALS:
        return '=';
    case SDL_SCANCODE_LEFTBRACKET:
        return '[';
    case SDL_SCANCODE_RIGHTBRACKET:
        return ']';
    case SDL_SCANCODE_BACKSLASH:
        return '\\';
    case SDL_SCANCODE_SEMICOLON:
        return ';';
    case SDL_SCANCODE_APOSTROPHE:
        return '\'';
    case SDL_SCANCODE_GRAVE:
        return '`';
    case SDL_SCANCODE_COMMA:
        return ',';
    case SDL_SCANCODE_PERIOD:
        return '.';
    case SDL_SCANCODE_SLASH:
        return '/';
    case SDL_SCANCODE_SPACE:
        return ' ';
    default:
        return 0;
    }
}

bool specialKey(SDL_Scancode code, MacKey& out)
{
    struct Entry {
        SDL_Scancode code;
        UInt8 charCode;
        UInt8 keyCode;
    };
    static constexpr Entry kSpecial[] = {
        {SDL_SCANCODE_RETURN, 0x0D, kKeyReturn},
        {SDL_SCANCODE_KP_ENTER, 0x03, kKeyPadEnter},
        {SDL_SCANCODE_TAB, 0x09, kKeyTab},
        {SDL_SCANCODE_BACKSPACE, 0x08, kKeyDelete},
        {SDL_SCANCODE_ESCAPE, 0x1B, kKeyEscape},
        {SDL_SCANCODE_DELETE, 0x7F, kKeyForwardDelete},
        {SDL_SCANCODE_HOME, 0x01, kKeyHome},
        {SDL_SCANCODE_END, 0x04, kKeyEnd},
        {SDL_SCANCODE_PAGEUP, 0x0B, kKeyPageUp},
        {SDL_SCANCODE_PAGEDOWN, 0x0C, kKeyPageDown},
        {SDL_SCANCODE_LEFT, 0x1C, kKeyLeft},
        {SDL_SCANCODE_RIGHT, 0x1D, kKeyRight},
        {SDL_SCANCODE_UP, 0x1E, kKeyUp},
        {SDL_SCANCODE_DOWN, 0x1F, kKeyDown},
    };
    for (const auto& e : kSpecial) {
        if (e.code == code) {
            out.charCode = e.charCode;
            out.keyCode = e.keyCode;
            return true;
        }
    }
    return false;
}

} // namespace

EventModifiers modifiersOf(SDL_Keymod mod)
{
    EventModifiers m = 0;
    if (mod & (KMOD_CTRL | KMOD_GUI))
        m |= cmdKey;
    if (mod & KMOD_SHIFT)
        m |= shiftKey;
    if (mod & KMOD_ALT)
        m |= optionKey;
    if (mod & KMOD_CAPS)
        m |= alphaLock;
    return m;
}

bool isModifierKey(SDL_Scancode code)
{
    switch (code) {
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI:
    case SDL_SCANCODE_CAPSLOCK:
    case SDL_SCANCODE_MODE:
        return true;
    default:
        return false;
    }
}

bool macKeyOf(const SDL_Keysym& keysym, MacKey& out)
{
    if (specialKey(keysym.scancode, out))
        return true;
    char position = usCharacter(keysym.scancode);
    KeyStroke stroke;
    if (!position || !keyForCharacter(UInt8(position), stroke))
        return false;
    out.keyCode = stroke.keyCode;
    // The character follows the user's layout where SDL reports a plain one.
    UInt8 ch = keysym.sym > 0 && keysym.sym < 0x7F ? UInt8(keysym.sym) : UInt8(position);
    bool shifted = (keysym.mod & KMOD_SHIFT) != 0;
    if (ch >= 'a' && ch <= 'z' && (keysym.mod & KMOD_CAPS))
        shifted = !shifted;
    out.charCode = shifted ? shiftedCharacter(ch) : ch;
    return true;
}

} // namespace toolbox
