#include "events/KeyCodes.h"

#include <cstring>

namespace toolbox {

namespace {

struct KeyEntry {
    char plain;
    char shifted;
    UInt8 keyCode;
};

// The US (ANSI) layout: unshifted and shifted characters of each key.
constexpr KeyEntry kKeys[] = {
    {'a', 'A', 0x00},
    {'s', 'S', 0x01},
    {'d', 'D', 0x02},
    {'f', 'F', 0x03},
    {'h', 'H', 0x04},
    {'g', 'G', 0x05},
    {'z', 'Z', 0x06},
    {'x', 'X', 0x07},
    {'c', 'C', 0x08},
    {'v', 'V', 0x09},
    {'b', 'B', 0x0B},
    {'q', 'Q', 0x0C},
    {'w', 'W', 0x0D},
    {'e', 'E', 0x0E},
    {'r', 'R', 0x0F},
    {'y', 'Y', 0x10},
    {'t', 'T', 0x11},
    {'1', '!', 0x12},
    {'2', '@', 0x13},
    {'3', '#', 0x14},
    {'4', '$', 0x15},
    {'6', '^', 0x16},
    {'5', '%', 0x17},
    {'=', '+', 0x18},
    {'9', '(', 0x19},
    {'7', '&', 0x1A},
    {'-', '_', 0x1B},
    {'8', '*', 0x1C},
    {'0', ')', 0x1D},
    {']', '}', 0x1E},
    {'o', 'O', 0x1F},
    {'u', 'U', 0x20},
    {'[', '{', 0x21},
    {'i', 'I', 0x22},
    {'p', 'P', 0x23},
    {'l', 'L', 0x25},
    {'j', 'J', 0x26},
    {'\'', '"', 0x27},
    {'k', 'K', 0x28},
    {';', ':', 0x29},
    {'\\', '|', 0x2A},
    {',', '<', 0x2B},
    {'/', '?', 0x2C},
    {'n', 'N', 0x2D},
    {'m', 'M', 0x2E},
    {'.', '>', 0x2F},
    {' ', ' ', 0x31},
    {'`', '~', 0x32},
};

struct NamedKey {
    const char* name;
    UInt8 charCode;
    UInt8 keyCode;
};

constexpr NamedKey kNamedKeys[] = {
    {"return", 0x0D, kKeyReturn},
    {"enter", 0x03, kKeyPadEnter},
    {"tab", 0x09, kKeyTab},
    {"space", ' ', kKeySpace},
    {"escape", 0x1B, kKeyEscape},
    {"esc", 0x1B, kKeyEscape},
    {"delete", 0x08, kKeyDelete},
    {"backspace", 0x08, kKeyDelete},
    {"forward-delete", 0x7F, kKeyForwardDelete},
    {"home", 0x01, kKeyHome},
    {"end", 0x04, kKeyEnd},
    {"page-up", 0x0B, kKeyPageUp},
    {"page-down", 0x0C, kKeyPageDown},
    {"left", 0x1C, kKeyLeft},
    {"right", 0x1D, kKeyRight},
    {"up", 0x1E, kKeyUp},
    {"down", 0x1F, kKeyDown},
};

} // namespace

bool keyForCharacter(UInt8 ch, KeyStroke& out)
{
    for (const auto& k : kKeys) {
        if (UInt8(k.plain) == ch || UInt8(k.shifted) == ch) {
            out.charCode = ch;
            out.keyCode = k.keyCode;
            out.shifted = UInt8(k.plain) != ch;
            return true;
        }
    }
    return false;
}

bool keyForName(const std::string& name, KeyStroke& out)
{
    for (const auto& k : kNamedKeys) {
        if (name == k.name) {
            out.charCode = k.charCode;
            out.keyCode = k.keyCode;
            out.shifted = false;
            return true;
        }
    }
    return false;
}

UInt8 shiftedCharacter(UInt8 ch)
{
    for (const auto& k : kKeys) {
        if (UInt8(k.plain) == ch)
            return UInt8(k.shifted);
    }
    return ch;
}

} // namespace toolbox
