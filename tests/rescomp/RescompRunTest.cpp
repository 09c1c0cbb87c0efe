// rescomp run as a program: bad sources are reported with their file and line
// and leave the previous output untouched; good ones give a file the toolbox
// reads back, pictures and colour icons included, drawn pixel for pixel.
#include <testkit/Process.h>

#include <MacMemory.h>
#include <Quickdraw.h>
#include <Resources.h>
#include <quickdraw/Framebuffer.h>
#include <resources/ResourceFileAccess.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class Rescomp : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/rescomp-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path write(const std::string& name, const std::string& text)
    {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    fs::path dir_;
};

struct BadSource {
    const char* what;
    const char* source;
    const char* message; // after "<file>:"
};

const BadSource kBadSources[] = {
    {"unknown block", "# x\nwidget 1\nend\n",
        "2: expected a block (menu, dialog, alert, cicn, picture, font), found \"widget\""},
    {"no end", "menu 1\n title \"A\"\n item \"B\"\n", "1: menu block has no \"end\""},
    {"bad item option", "menu 1\n title \"A\"\n item \"B\" bold\nend\n",
        "3: item: unknown option \"bold\" (disabled, checked, key C)"},
    {"ID out of range", "menu 40000\nend\n",
        "1: menu: the resource ID 40000 is out of range (-32768 to 32767)"},
    {"menu without items", "menu 3\n title \"A\"\nend\n", "1: menu 3 has no items"},
    {"unterminated string", "menu 1\n title \"A\nend\n", "2: unterminated string"},
    {"no Mac Roman form", "menu 1\n title \"\xE2\x86\x92\"\nend\n",
        "2: \"\xE2\x86\x92\" has no Mac OS Roman form"},
    {"items out of order", "dialog 5\n window at 0,0 size 10x10\n item 2 text \"x\" at 0,0 size 5x5\nend\n",
        "3: item 2: expected item 1 next"},
    {"bad geometry", "alert 5\n window at 0,0 size 10by10\nend\n",
        "2: window: the size \"10by10\" is not a size WxH (1 to 4096)"},
    {"dialog without window", "dialog 5\n item 1 button \"OK\" at 0,0 size 5x5\nend\n",
        "1: dialog 5 has no window statement"},
    {"default item missing",
        "alert 5\n window at 0,0 size 9x9\n default 2\n item 1 button \"OK\" at 0,0 size 5x5\nend\n",
        "1: alert 5: its default item does not exist"},
    {"short pixel row", "picture 1\n size 3x2\n colour a #000000\n pixels\n aaa\n aa\nend\n",
        "6: pixels: row 2 has 2 keys, expected 3"},
    {"unknown key", "cicn 1\n size 2x1\n colour a #000000\n pixels\n ab\nend\n",
        "5: pixels: \"b\" at column 2 is not a colour key"},
    {"too few rows", "cicn 1\n size 1x3\n colour a #000000\n pixels\n a\n",
        "4: pixels: the file ends after 1 of 3 rows"},
    {"transparent picture", "picture 1\n size 1x1\n colour . none\n pixels\n .\nend\n",
        "1: picture 1: pictures have no transparent colours"},
    {"ragged glyph", "font 393\n ascent 2\n descent 1\n glyph \"a\"\n ##\n #.\n #\nend\n",
        "7: glyph: row 3 has 1 columns, the first has 2"},
    {"font without missing glyph", "font 393\n ascent 1\n descent 0\n glyph \"a\"\n #.\nend\n",
        "1: font 393 has no missing-character glyph"},
    {"duplicate", "menu 1\n title \"A\"\n item \"B\"\nend\nmenu 1\n title \"C\"\n item \"D\"\nend\n",
        "5: 'MENU' 1 is already defined at "},
};

TEST_F(Rescomp, BadSourcesNameFileAndLineAndKeepThePreviousOutput)
{
    const fs::path out = dir_ / "out.rsrc";
    for (const BadSource& bad : kBadSources) {
        std::ofstream(out, std::ios::binary) << "previous";
        const fs::path src = write("bad.rdef", bad.source);
        const auto r = testkit::run("rescomp", {"-o", out.string(), src.string()});
        EXPECT_EQ(r.status, 1) << bad.what;
        EXPECT_EQ(r.out, "") << bad.what;
        const std::string expected = src.string() + ":" + bad.message;
        EXPECT_EQ(r.err.substr(0, expected.size()), expected) << bad.what;
        std::ifstream in(out, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "previous") << bad.what;
    }
}

// A 'FONT' as the Font Manager reads it: the font record, the strike with
// each glyph's ink side by side, then the location and offset/width tables,
// each with the missing glyph and a closing entry.
TEST_F(Rescomp, FontsAreClassicBitmapFontResources)
{
    const fs::path src = write("font.rdef",
        "font 393\n ascent 2\n descent 1\n leading 1\n"
        " glyph \"b\"\n .#..\n .##.\n ....\n"
        " glyph missing\n ##\n ##\n ..\n"
        " glyph \"a\"\n #.\n ..\n ..\nend\n");
    const fs::path out = dir_ / "font.rsrc";
    const auto r = testkit::run("rescomp", {"-o", out.string(), src.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    SInt16 ref = -1;
    ASSERT_EQ(toolbox::openResourceFileAtPath(out, fsRdPerm, &ref), noErr);
    Handle h = Get1Resource('FONT', 393);
    ASSERT_NE(h, nullptr);
    const std::vector<uint8_t> bytes(*h, *h + GetHandleSize(h));
    const std::vector<uint8_t> expected = {
        0x90, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00, 0x04, 0x00, 0x00, 0xFF,
        0xFF, // type, 'a'..'b', widMax, kern, -descent
        0x00, 0x03, 0x00, 0x03, 0x00, 0x0C, 0x00, 0x02, 0x00, 0x01, 0x00,
        0x01, // fRect 3x3, owTLoc 12, ascent..leading
        0x00, 0x01, // rowWords
        0xD8, 0x00, 0x78, 0x00, 0x00, 0x00, // strike: a (1 column), b (2), missing (2)
        0x00, 0x00, 0x00, 0x01, 0x00, 0x03, 0x00, 0x05, // locations of a, b, missing, end
        0x00, 0x02, 0x01, 0x04, 0x00, 0x02, 0xFF, 0xFF, // offset/width of a, b, missing, end
    };
    EXPECT_EQ(bytes, expected);
    CloseResFile(ref);
}

TEST_F(Rescomp, WrongArgumentsPrintTheUsage)
{
    for (const std::vector<std::string>& args : {std::vector<std::string> {}, {"-o", "x.rsrc"}, {"a.rdef"},
             {"--icon-png", "1", "0", "x.png", "-o", "x.rsrc", "a.rdef"}, {"-x", "a.rdef"}}) {
        const auto r = testkit::run("rescomp", args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "usage: rescomp -o OUTPUT.rsrc [--icon-png ID SCALE FILE.png] SOURCE...\n");
    }
}

TEST_F(Rescomp, MissingSourceAndMissingIconAreErrors)
{
    auto r = testkit::run("rescomp", {"-o", (dir_ / "o.rsrc").string(), (dir_ / "none.rdef").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, (dir_ / "none.rdef").string() + ":0: cannot read the file\n");

    const fs::path src = write("m.rdef", "menu 1\n title \"A\"\n item \"B\"\nend\n");
    r = testkit::run("rescomp",
        {"-o", (dir_ / "o.rsrc").string(), "--icon-png", "7", "1", (dir_ / "i.png").string(), src.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "rescomp: --icon-png: there is no 'cicn' 7\n");
}

uint32_t screenPixel(int x, int y)
{
    return toolbox::screen().pixel(x, y);
}

TEST_F(Rescomp, PicturesAndColourIconsDrawBackAsDrawnInTheSource)
{
    // A 12-pixel row of one colour is packed as a run; the 260-wide picture
    // has rows longer than 250 bytes, whose byte counts take two bytes.
    std::string wide = "picture 2\n size 260x2\n colour a #102030\n colour b #FFFFFF\n pixels\n";
    wide += " " + std::string(259, 'a') + "b\n " + "b" + std::string(259, 'a') + "\nend\n";
    const fs::path src = write("art.rdef",
        "picture 1\n size 12x2\n colour r #FF0000\n colour g #00FF00\n colour b #0000FF\n pixels\n"
        " rrrrrrrrrrrr\n rgbrgbrgbrgb\nend\n"
            + wide
            + "cicn 3\n size 3x2\n colour . none\n colour k #000000\n colour w #FFFFFF\n pixels\n k.w\n "
              ".k.\nend\n");
    const fs::path out = dir_ / "art.rsrc";
    const auto r = testkit::run("rescomp", {"-o", out.string(), src.string()});
    ASSERT_EQ(r.status, 0) << r.err;

    SInt16 ref = -1;
    ASSERT_EQ(toolbox::openResourceFileAtPath(out, fsRdPerm, &ref), noErr);
    CGrafPtr port = CreateNewPort();
    SetPort(port);
    const RGBColor grey = {0x8080, 0x8080, 0x8080};
    RGBForeColor(&grey);
    Rect all;
    SetRect(&all, 0, 0, 640, 480);
    PaintRect(&all);

    PicHandle narrow = GetPicture(1);
    ASSERT_NE(narrow, nullptr);
    Rect at;
    SetRect(&at, 10, 30, 22, 32);
    DrawPicture(narrow, &at);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(screenPixel(10 + x, 30), 0xFF0000u) << x;
    const uint32_t cycle[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(screenPixel(10 + x, 31), cycle[x % 3]) << x;
    KillPicture(narrow);

    PicHandle widePic = GetPicture(2);
    ASSERT_NE(widePic, nullptr);
    SetRect(&at, 0, 40, 260, 42);
    DrawPicture(widePic, &at);
    EXPECT_EQ(screenPixel(0, 40), 0x102030u);
    EXPECT_EQ(screenPixel(258, 40), 0x102030u);
    EXPECT_EQ(screenPixel(259, 40), 0xFFFFFFu);
    EXPECT_EQ(screenPixel(0, 41), 0xFFFFFFu);
    EXPECT_EQ(screenPixel(259, 41), 0x102030u);
    KillPicture(widePic);

    CIconHandle icon = GetCIcon(3);
    ASSERT_NE(icon, nullptr);
    SetRect(&at, 100, 50, 103, 52);
    PlotCIcon(&at, icon);
    const uint32_t expected[2][3] = {{0x000000, 0x808080, 0xFFFFFF}, {0x808080, 0x000000, 0x808080}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(screenPixel(100 + x, 50 + y), expected[y][x]) << x << "," << y;
    }
    DisposeCIcon(icon);
    DisposePort(port);
    CloseResFile(ref);
}

TEST_F(Rescomp, ApplicationIconIsWrittenAsAnEnlargedPng)
{
    const fs::path src
        = write("i.rdef", "cicn 9\n size 2x1\n colour . none\n colour r #FF0000\n pixels\n r.\nend\n");
    const fs::path png = dir_ / "icon.png";
    const auto r = testkit::run(
        "rescomp", {"-o", (dir_ / "i.rsrc").string(), "--icon-png", "9", "3", png.string(), src.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    // Width and height in the PNG header: 6x3.
    std::ifstream in(png, std::ios::binary);
    std::string head(24, '\0');
    in.read(head.data(), 24);
    EXPECT_EQ(head.substr(1, 3), "PNG");
    EXPECT_EQ(head.substr(16, 8), std::string("\0\0\0\x06\0\0\0\x03", 8));
}

} // namespace
