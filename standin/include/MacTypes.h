// MacTypes.h: the basic types of the Macintosh toolbox, as the system's code
// names them. Integers keep their classic widths; four-character codes have
// their first character in the most significant byte; Str255 and friends are
// length-prefixed (byte 0 is the length, no terminating zero).
#pragma once

#include <cstddef>
#include <cstdint>

typedef uint8_t UInt8;
typedef int8_t SInt8;
typedef uint16_t UInt16;
typedef int16_t SInt16;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint64_t UInt64;
typedef int64_t SInt64;

typedef unsigned char Boolean;
typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

typedef SInt16 OSErr;
typedef SInt32 OSStatus;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef FourCharCode ResType;
typedef SInt16 ScriptCode;
typedef UInt32 UniCharCount;

typedef unsigned char Str255[256];
typedef unsigned char Str63[64];
typedef unsigned char Str31[32];
typedef unsigned char Str32[33];
typedef unsigned char Str15[16];
typedef unsigned char* StringPtr;
typedef const unsigned char* ConstStringPtr;
typedef const unsigned char* ConstStr255Param;
typedef const unsigned char* ConstStr63Param;
typedef const unsigned char* ConstStr31Param;
typedef StringPtr* StringHandle;

struct Point {
    SInt16 v;
    SInt16 h;
};
typedef Point* PointPtr;

struct Rect {
    SInt16 top;
    SInt16 left;
    SInt16 bottom;
    SInt16 right;
};
typedef Rect* RectPtr;

struct RGBColor {
    UInt16 red;
    UInt16 green;
    UInt16 blue;
};

enum : OSErr {
    noErr = 0,
};

#ifndef nil
#define nil nullptr
#endif

// Builds a four-character code from its text at compile time: FOUR_CHAR_CODE("mach").
constexpr OSType FOUR_CHAR_CODE(const char (&s)[5])
{
    return (OSType(UInt8(s[0])) << 24) | (OSType(UInt8(s[1])) << 16) | (OSType(UInt8(s[2])) << 8)
        | OSType(UInt8(s[3]));
}

// A length-prefixed string literal: "\pText" does not exist in C++, so the
// system's code writes PSTR("Text"), which yields a constant Str255-style array.
template<size_t N>
struct PascalStringLiteral {
    unsigned char bytes[N];
    constexpr PascalStringLiteral(const char (&s)[N])
        : bytes {}
    {
        static_assert(N - 1 <= 255, "a length-prefixed string holds at most 255 characters");
        bytes[0] = static_cast<unsigned char>(N - 1);
        for (size_t i = 0; i + 1 < N; ++i)
            bytes[i + 1] = static_cast<unsigned char>(s[i]);
    }
};

template<PascalStringLiteral S>
constexpr const unsigned char* operator""_pstr()
{
    return S.bytes;
}
#define PSTR(text) (text##_pstr)
