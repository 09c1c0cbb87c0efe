// Length-prefixed (Str255) string helpers and hexadecimal text.
//
// Byte 0 of every string is its length (0 to 255); no terminating zero.
// Destinations must have room for 256 bytes: only pstrcat limits its result
// (to 255 characters); nothing else checks bounds.
#pragma once

#include <MacTypes.h>

extern const char num2hexTable[16]; // "0123456789ABCDEF"

// "0x" and the eight upper-case hex digits of the low 32 bits of n: 10 characters.
unsigned char* NumToHex(unsigned long n, unsigned char* str);
// "0x" and the two upper-case hex digits of n: 4 characters.
unsigned char* NumToHex8(unsigned char n, unsigned char* str);

unsigned char* pstrcpy(unsigned char* dst, const unsigned char* src);
unsigned char* pstrcat(unsigned char* dst, const unsigned char* src);
unsigned char pstrlen(const unsigned char* src);
// 0 when equal. Otherwise the first difference (length, then character),
// truncated to 8 bits: its sign does not give the order, only inequality counts.
char pstrcmp(const unsigned char* str1, const unsigned char* str2);
