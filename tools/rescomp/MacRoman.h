// Converts the UTF-8 of the sources into the Mac OS Roman bytes that resources hold.
#pragma once

#include <optional>
#include <string>

namespace rescomp {

// The Mac Roman bytes for `utf8`, or nothing (with the offending character in
// `bad`) when a character has no Mac Roman form or the UTF-8 is malformed.
std::optional<std::string> toMacRoman(const std::string& utf8, std::string& bad);

} // namespace rescomp
