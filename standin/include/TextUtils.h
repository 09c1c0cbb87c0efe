// TextUtils.h: number and text conversions of the Text Utilities.
//
// Provided: NumToString, StringToNum.
// Simplifications: digits are ASCII whatever the script; StringToNum takes an
// optional sign and decimal digits and, like the Mac, does not report bad
// characters (each contributes its offset from '0').
#pragma once

#include <MacTypes.h>

// theNum in signed decimal, without leading zeros, as a length-prefixed string.
void NumToString(long theNum, Str255 theString);
void StringToNum(ConstStr255Param theString, long* theNum);
