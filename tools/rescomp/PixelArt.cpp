#include "PixelArt.h"

#include <cstdlib>

namespace rescomp {

bool PixelArt::hasTransparency() const
{
    for (const PaletteEntry& e : palette) {
        if (e.transparent)
            return true;
    }
    return false;
}

bool PixelArtReader::take(const Statement& s, Arguments& args)
{
    const std::string& k = s.keyword();
    if (k == "size") {
        if (haveSize_)
            args.fail("size: given twice");
        args.size("the size", art_.width, art_.height);
        args.expectEnd();
        haveSize_ = true;
    } else if (k == "colour" || k == "color") {
        const std::string key = args.word("the key character");
        if (key.size() != 1 || key[0] == '#' || static_cast<unsigned char>(key[0]) > 0x7E)
            args.fail(k + ": the key is one printable character other than #");
        for (const PaletteEntry& e : art_.palette) {
            if (e.key == key[0])
                args.fail(k + ": key \"" + key + "\" is defined twice");
        }
        if (art_.palette.size() == 256)
            args.fail(k + ": a palette holds at most 256 colours");
        if (havePixels_)
            args.fail(k + ": colours come before the pixels");
        PaletteEntry e;
        e.key = key[0];
        const std::string value = args.word("#RRGGBB or none");
        if (value == "none") {
            e.transparent = true;
        } else if (value.size() == 7 && value[0] == '#') {
            const unsigned long rgb = std::strtoul(value.c_str() + 1, nullptr, 16);
            // 8-bit components widen as QuickDraw does: 0xAB becomes 0xABAB.
            e.red = static_cast<uint16_t>(((rgb >> 16) & 0xFF) * 0x101);
            e.green = static_cast<uint16_t>(((rgb >> 8) & 0xFF) * 0x101);
            e.blue = static_cast<uint16_t>((rgb & 0xFF) * 0x101);
        } else {
            args.fail(k + ": expected #RRGGBB or none, found \"" + value + "\"");
        }
        args.expectEnd();
        art_.palette.push_back(e);
    } else if (k == "pixels") {
        args.expectEnd();
        if (!haveSize_)
            args.fail("pixels: the size comes first");
        if (art_.palette.empty())
            args.fail("pixels: the colours come first");
        if (havePixels_)
            args.fail("pixels: given twice");
        havePixels_ = true;
        art_.pixels.reserve(static_cast<size_t>(art_.width) * art_.height);
        int rows = 0;
        std::string row;
        int line = s.line;
        while (rows < art_.height) {
            if (!reader_.nextRawLine(row, line))
                reader_.fail(s.line,
                    "pixels: the file ends after " + std::to_string(rows) + " of "
                        + std::to_string(art_.height) + " rows");
            if (row.empty())
                continue;
            if (static_cast<int>(row.size()) != art_.width) {
                reader_.fail(line,
                    "pixels: row " + std::to_string(rows + 1) + " has " + std::to_string(row.size())
                        + " keys, expected " + std::to_string(art_.width));
            }
            for (size_t x = 0; x < row.size(); ++x) {
                size_t index = 0;
                while (index < art_.palette.size() && art_.palette[index].key != row[x])
                    ++index;
                if (index == art_.palette.size()) {
                    reader_.fail(line,
                        "pixels: \"" + std::string(1, row[x]) + "\" at column " + std::to_string(x + 1)
                            + " is not a colour key");
                }
                art_.pixels.push_back(static_cast<uint8_t>(index));
            }
            ++rows;
        }
    } else {
        return false;
    }
    return true;
}

const PixelArt& PixelArtReader::complete(const Statement& opening)
{
    if (!havePixels_)
        reader_.fail(opening.line, opening.keyword() + " " + opening.tokens[1].text + " has no pixels");
    return art_;
}

} // namespace rescomp
