// Decimal conversions of the Text Utilities. NumToString works on the 32-bit
// value a Mac long holds, so results match the original on a 64-bit host.
#include <TextUtils.h>

#include <cstdint>

void NumToString(long theNum, Str255 theString)
{
    const int32_t value = static_cast<int32_t>(theNum);
    // The magnitude in 64 bits so that the most negative value needs no care.
    uint64_t magnitude = value < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(value)) : uint64_t(value);
    unsigned char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<unsigned char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0)
        theString[++length] = '-';
    while (count > 0)
        theString[++length] = digits[--count];
    theString[0] = static_cast<unsigned char>(length);
}

void StringToNum(ConstStr255Param theString, long* theNum)
{
    const int length = theString[0];
    int i = 1;
    bool negative = false;
    if (i <= length && (theString[i] == '-' || theString[i] == '+')) {
        negative = theString[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    for (; i <= length; ++i)
        value = value * 10 + static_cast<uint32_t>(theString[i] - '0');
    *theNum = static_cast<int32_t>(negative ? 0u - value : value);
}
