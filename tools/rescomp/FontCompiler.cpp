// 'FONT' resources: bitmap fonts drawn as text, one glyph a block of rows.
//
//   font 393                   the resource ID: family * 128 + size
//       ascent 9               rows above the baseline
//       descent 3              rows below it
//       leading 0
//       glyph "A"              a character (Mac Roman), a code (glyph 0x14)
//       ..#..                  or the missing-character glyph (glyph missing);
//       .#.#.                  then ascent + descent rows of equal length:
//       ...                    '#' ink, '.' blank. The row length is the
//   end                        advance; the ink's columns make the image.
//
// The resource is the classic bitmap font: the font record, the strike (all
// images side by side, rows padded to whole words), the location table and
// the offset/width table, both with the missing glyph and a closing entry.
#include "Block.h"

#include <algorithm>
#include <map>

namespace rescomp {

namespace {

constexpr int kMissing = 256;

struct FontGlyph {
    int advance = 0;
    int inkLeft = 0; // first inked column
    int inkWidth = 0; // 0: no ink
    std::vector<std::string> rows;
};

FontGlyph readGlyph(SourceReader& reader, const Statement& s, int height)
{
    FontGlyph g;
    std::string row;
    int line = s.line;
    while (int(g.rows.size()) < height) {
        if (!reader.nextRawLine(row, line))
            reader.fail(s.line, "glyph: the file ends within its rows");
        if (row.empty())
            continue;
        if (row.find_first_not_of("#.") != std::string::npos)
            reader.fail(line, "glyph: a row holds only '#' (ink) and '.' (blank)");
        if (!g.rows.empty() && row.size() != g.rows.front().size())
            reader.fail(line,
                "glyph: row " + std::to_string(g.rows.size() + 1) + " has " + std::to_string(row.size())
                    + " columns, the first has " + std::to_string(g.rows.front().size()));
        g.rows.push_back(row);
    }
    g.advance = int(g.rows.front().size());
    if (g.advance > 254)
        reader.fail(s.line, "glyph: wider than 254 pixels");
    int left = g.advance, right = -1;
    for (const std::string& r : g.rows) {
        const size_t first = r.find('#'), last = r.rfind('#');
        if (first != std::string::npos) {
            left = std::min(left, int(first));
            right = std::max(right, int(last));
        }
    }
    if (right >= 0) {
        g.inkLeft = left;
        g.inkWidth = right - left + 1;
    }
    return g;
}

int glyphCode(Arguments& args)
{
    if (args.peekWord("missing")) {
        args.word("missing");
        return kMissing;
    }
    if (args.peekString()) {
        const std::string c = args.string("the character");
        if (c.size() != 1)
            args.fail("glyph: the string holds one character, not " + std::to_string(c.size()));
        return static_cast<unsigned char>(c[0]);
    }
    return int(args.integer("the character code", 0, 255));
}

std::vector<uint8_t> encodeFont(const std::map<int, FontGlyph>& glyphs, int ascent, int descent, int leading)
{
    const int first = glyphs.begin()->first, last = std::prev(glyphs.end(), 2)->first;
    const int count = last - first + 1, height = ascent + descent;
    std::vector<const FontGlyph*> order; // first..last, then the missing glyph
    for (int c = first; c <= last; ++c) {
        auto it = glyphs.find(c);
        order.push_back(it == glyphs.end() ? nullptr : &it->second);
    }
    order.push_back(&glyphs.at(kMissing));

    int stripWidth = 0, widMax = 0, rectWidth = 0;
    for (const FontGlyph* g : order) {
        if (!g)
            continue;
        stripWidth += g->inkWidth;
        widMax = std::max(widMax, g->advance);
        rectWidth = std::max(rectWidth, g->inkLeft + g->inkWidth);
    }
    const int rowWords = (stripWidth + 15) / 16;
    std::vector<uint8_t> strike(size_t(rowWords) * 2 * size_t(height));
    std::vector<int> loc, ow;
    int x = 0;
    for (const FontGlyph* g : order) {
        loc.push_back(x);
        if (!g) {
            ow.push_back(0xFFFF);
            continue;
        }
        for (int y = 0; y < height; ++y)
            for (int col = 0; col < g->inkWidth; ++col)
                if (g->rows[size_t(y)][size_t(g->inkLeft + col)] == '#') {
                    const int bit = x + col;
                    strike[size_t(y) * size_t(rowWords) * 2 + size_t(bit >> 3)] |= uint8_t(0x80 >> (bit & 7));
                }
        x += g->inkWidth;
        ow.push_back((g->inkLeft << 8) | g->advance); // kernMax is 0: the offset is the ink's column
    }
    loc.push_back(x);
    ow.push_back(0xFFFF);

    // owTLoc counts words from its own field (byte 16) to the table.
    const long owTLoc = (26 - 16) / 2 + long(rowWords) * height + (count + 2);
    ByteWriter w;
    w.u16(0x9000); // proportional font
    w.s16(first);
    w.s16(last);
    w.s16(widMax);
    w.s16(0); // kernMax
    w.s16(owTLoc > 0xFFFF ? int(owTLoc >> 16) : -descent);
    w.s16(rectWidth);
    w.s16(height);
    w.u16(unsigned(owTLoc & 0xFFFF));
    w.s16(ascent);
    w.s16(descent);
    w.s16(leading);
    w.s16(rowWords);
    w.append(strike);
    for (int v : loc)
        w.u16(unsigned(v));
    for (int v : ow)
        w.u16(unsigned(v));
    return std::move(w.bytes());
}

} // namespace

void compileFont(SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out)
{
    int ascent = -1, descent = -1, leading = 0;
    std::map<int, FontGlyph> glyphs;
    forEachStatement(reader, opening, [&](const Statement& s, Arguments& args) {
        const std::string& k = s.keyword();
        if (k == "ascent" || k == "descent" || k == "leading") {
            if (!glyphs.empty())
                args.fail(k + ": the metrics come before the glyphs");
            const int v = int(args.integer(k.c_str(), 0, 127));
            (k == "ascent" ? ascent : k == "descent" ? descent : leading) = v;
            args.expectEnd();
        } else if (k == "glyph") {
            if (ascent <= 0 || descent < 0)
                args.fail("glyph: ascent and descent come first");
            const int code = glyphCode(args);
            args.expectEnd();
            if (glyphs.count(code))
                args.fail("glyph: defined twice");
            glyphs[code] = readGlyph(reader, s, ascent + descent);
        } else {
            unknownStatement(args, s, "font");
        }
    });
    if (!glyphs.count(kMissing))
        reader.fail(opening.line, "font " + std::to_string(id) + " has no missing-character glyph");
    if (glyphs.size() < 2)
        reader.fail(opening.line, "font " + std::to_string(id) + " has no glyphs");
    if (id <= 0 || id % 128 == 0)
        reader.fail(
            opening.line, "font " + std::to_string(id) + ": the ID is family * 128 + size, size 1 to 127");
    out.push_back({fourCC("FONT"), static_cast<int16_t>(id), {}, encodeFont(glyphs, ascent, descent, leading),
        {}, nullptr});
}

} // namespace rescomp
