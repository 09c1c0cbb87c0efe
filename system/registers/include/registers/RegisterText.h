// Texts of the register model are read two ways: the application draws them
// as length-prefixed strings, the command-line tool prints them with printf.
// DSTR("...") yields a length-prefixed string that also carries a zero byte
// after its last character, so CString() can hand the same bytes to printf
// without a second copy of the text.
#pragma once

#include <MacTypes.h>

#include <cstddef>

template<size_t N> struct DualStringLiteral {
    unsigned char bytes[N + 1];
    constexpr DualStringLiteral(const char (&s)[N])
        : bytes {}
    {
        static_assert(N - 1 <= 255, "a length-prefixed string holds at most 255 characters");
        bytes[0] = static_cast<unsigned char>(N - 1);
        for (size_t i = 0; i + 1 < N; ++i)
            bytes[i + 1] = static_cast<unsigned char>(s[i]);
        bytes[N] = 0;
    }
};

template<DualStringLiteral S> constexpr ConstStringPtr operator""_dstr()
{
    return S.bytes;
}
#define DSTR(text) (text##_dstr)

// The C-string view of a DSTR text (only valid for texts made by DSTR).
inline const char* CString(ConstStringPtr dualText)
{
    return reinterpret_cast<const char*>(dualText + 1);
}
