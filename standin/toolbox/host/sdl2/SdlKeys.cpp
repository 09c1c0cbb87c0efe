#include "host/sdl2/SdlKeys.h"

namespace toolbox {

// The shared table names positions by USB HID usage, which SDL's scancodes are.
static_assert(SDL_SCANCODE_A == 0x04 && SDL_SCANCODE_RETURN == 0x28 && SDL_SCANCODE_KP_ENTER == 0x58
    && SDL_SCANCODE_LCTRL == 0xE0 && SDL_SCANCODE_RGUI == 0xE7);

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
    const KeyPosition* key = keyByHidUsage(unsigned(code));
    return code == SDL_SCANCODE_MODE || (key && key->modifier);
}

bool macKeyOf(const SDL_Keysym& keysym, MacKey& out)
{
    const KeyPosition* key = keyByHidUsage(unsigned(keysym.scancode));
    if (!key)
        return false;
    // The character follows the user's layout where SDL reports a plain one.
    UInt8 typed = keysym.sym > 0 && keysym.sym < 0x7F ? UInt8(keysym.sym) : 0;
    return macKeyAt(*key, typed, modifiersOf(SDL_Keymod(keysym.mod)), out);
}

} // namespace toolbox
