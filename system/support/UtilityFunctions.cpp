#include <support/UtilityFunctions.h>

#include <cstring>

const char num2hexTable[16]
    = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

unsigned char* NumToHex(unsigned long n, unsigned char* str)
{
    // The platform's long is 32 bits: only those are shown.
    const UInt32 value = static_cast<UInt32>(n);
    str[0] = 10;
    str[1] = '0';
    str[2] = 'x';
    for (int digit = 0; digit < 8; ++digit)
        str[3 + digit] = static_cast<unsigned char>(num2hexTable[(value >> (28 - 4 * digit)) & 0xF]);
    return str;
}

unsigned char* NumToHex8(unsigned char n, unsigned char* str)
{
    str[0] = 4;
    str[1] = '0';
    str[2] = 'x';
    str[3] = static_cast<unsigned char>(num2hexTable[n >> 4]);
    str[4] = static_cast<unsigned char>(num2hexTable[n & 0xF]);
    return str;
}

unsigned char* pstrcpy(unsigned char* dst, const unsigned char* src)
{
    std::memmove(dst, src, size_t(src[0]) + 1);
    return dst;
}

unsigned char* pstrcat(unsigned char* dst, const unsigned char* src)
{
    size_t count = src[0];
    if (size_t(dst[0]) + count > 255)
        count = 255 - dst[0];
    std::memmove(dst + 1 + dst[0], src + 1, count);
    dst[0] = static_cast<unsigned char>(dst[0] + count);
    return dst;
}

unsigned char pstrlen(const unsigned char* src)
{
    return src[0];
}

char pstrcmp(const unsigned char* str1, const unsigned char* str2)
{
    if (str1[0] != str2[0])
        return static_cast<char>(static_cast<SInt8>(str1[0] - str2[0]));
    for (int i = 1; i <= str1[0]; ++i) {
        if (str1[i] != str2[i])
            return static_cast<char>(static_cast<SInt8>(str1[i] - str2[i]));
    }
    return 0;
}
