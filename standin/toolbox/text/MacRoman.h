// Mac OS Roman, the character set of every string the system draws.
#pragma once

namespace toolbox::text {

// The Unicode character for a Mac OS Roman byte; 0 for control characters
// that draw nothing. The command-key, check-mark and diamond characters of
// the system font (0x11 to 0x13) map to their Unicode look-alikes.
char32_t unicodeOfMacRoman(unsigned char c);

} // namespace toolbox::text
