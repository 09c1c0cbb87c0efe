// The string and hex helpers, at their edges.
#include <support/UtilityFunctions.h>

#include <gtest/gtest.h>
#include <testkit/PString.h>

#include <cstring>

#include <string>

namespace {

using testkit::text;

void setText(unsigned char* p, const std::string& s)
{
    p[0] = static_cast<unsigned char>(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        p[i + 1] = static_cast<unsigned char>(s[i]);
}

TEST(NumToHex, WritesTenCharactersUpperCase)
{
    struct Case {
        unsigned long value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0x00000000"}, {5, "0x00000005"}, {0xFFFFFFFFul, "0xFFFFFFFF"}, {0xabcdef12ul, "0xABCDEF12"},
        {0x80000000ul, "0x80000000"},
        {0x1234567800000009ul, "0x00000009"}, // only the platform's 32 bits count
    };
    for (const Case& c : cases) {
        Str255 s;
        std::memset(s, 0xEE, sizeof s);
        EXPECT_EQ(NumToHex(c.value, s), s);
        EXPECT_EQ(s[0], 10);
        EXPECT_EQ(text(s), c.expected);
        EXPECT_EQ(s[11], 0xEE) << "wrote past its ten characters";
    }
}

TEST(NumToHex8, WritesFourCharacters)
{
    const std::pair<unsigned char, const char*> cases[]
        = {{0, "0x00"}, {10, "0x0A"}, {255, "0xFF"}, {0x7c, "0x7C"}};
    for (auto [value, expected] : cases) {
        Str255 s;
        EXPECT_EQ(NumToHex8(value, s), s);
        EXPECT_EQ(text(s), expected);
    }
}

TEST(Pstrcpy, CopiesLengthAndCharactersOnly)
{
    Str255 src, dst;
    setText(src, "Notes");
    std::memset(dst, 'z', sizeof dst);
    EXPECT_EQ(pstrcpy(dst, src), dst);
    EXPECT_EQ(text(dst), "Notes");
    EXPECT_EQ(dst[6], 'z');

    setText(src, "");
    EXPECT_EQ(text(pstrcpy(dst, src)), "");
    setText(src, std::string(255, 'q'));
    EXPECT_EQ(text(pstrcpy(dst, src)), std::string(255, 'q'));
}

TEST(Pstrcat, StopsAt255Characters)
{
    struct Case {
        size_t dstLength, srcLength, expectedLength;
    };
    const Case cases[] = {
        {0, 0, 0},
        {3, 4, 7},
        {200, 55, 255},
        {200, 100, 255}, // only 55 appended
        {255, 10, 255}, // a full destination stays unchanged
        {0, 255, 255},
        {1, 255, 255},
    };
    for (const Case& c : cases) {
        Str255 dst, src;
        std::memset(dst, 0xEE, sizeof dst);
        setText(dst, std::string(c.dstLength, 'a'));
        setText(src, std::string(c.srcLength, 'b'));
        EXPECT_EQ(pstrcat(dst, src), dst);
        EXPECT_EQ(text(dst), std::string(c.dstLength, 'a') + std::string(c.expectedLength - c.dstLength, 'b'))
            << c.dstLength << "+" << c.srcLength;
    }
}

TEST(Pstrcat, AppendsAStringToItself)
{
    Str255 s;
    setText(s, "ab");
    EXPECT_EQ(text(pstrcat(s, s)), "abab");
}

TEST(Pstrlen, IsTheLengthByte)
{
    Str255 s;
    setText(s, std::string(255, 'x'));
    EXPECT_EQ(pstrlen(s), 255);
    setText(s, "");
    EXPECT_EQ(pstrlen(s), 0);
}

TEST(Pstrcmp, ZeroExactlyWhenEqual)
{
    struct Case {
        std::string a, b;
        int expected;
    };
    const Case cases[] = {
        {"", "", 0}, {"abc", "abc", 0}, {"abc", "abcd", -1}, // lengths first, characters not compared
        {"zzzz", "abc", 1}, {"abd", "abc", 1}, {"abc", "abd", -1}, {"Abc", "abc", 'A' - 'a'},
        {std::string(1, '\xff'), std::string(1, '\x01'), -2}, // 254 truncated to 8 bits
        {std::string(200, 'a'), "a", -57}, // 199 truncated: the sign says nothing of order
    };
    for (const Case& c : cases) {
        Str255 a, b;
        setText(a, c.a);
        setText(b, c.b);
        EXPECT_EQ(static_cast<signed char>(pstrcmp(a, b)), c.expected) << c.a << " vs " << c.b;
    }
}

TEST(Pstrcmp, IgnoresBytesBeyondTheLength)
{
    Str255 a, b;
    setText(a, "same");
    setText(b, "same");
    a[5] = 'x';
    b[5] = 'y';
    EXPECT_EQ(pstrcmp(a, b), 0);
}

} // namespace
