// Length-prefixed (Pascal) strings for the toolbox calls tests make.
#pragma once

#include <string>

namespace testkit {

using PString = std::basic_string<unsigned char>;

// A length-prefixed copy of `text`; pass .data() where a ConstStr255Param goes.
inline PString pstr(const std::string& text)
{
    PString s(1, static_cast<unsigned char>(text.size()));
    s.append(text.begin(), text.end());
    return s;
}

inline std::string text(const unsigned char* p)
{
    return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

} // namespace testkit
