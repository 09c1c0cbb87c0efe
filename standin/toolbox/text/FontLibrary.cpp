// Requests map onto strikes as the Font Manager maps them: the application
// font is Geneva, size 0 is 12, and a size the family lacks takes the
// family's nearest strike (no scaling); a family with no strike at all falls
// back to Geneva and then to the system font.
#include "text/FontLibrary.h"

#include "resources/ResourceChain.h"

#include <Fonts.h>
#include <machine/Machine.h>
#include <macsim/DiskLayout.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

namespace toolbox::text {

// A 'FONT' resource cut into glyphs: codes firstChar..lastChar, then the
// missing-character glyph.
struct Strike {
    int firstChar = 0;
    int lastChar = -1;
    Metrics metrics;
    std::vector<Glyph> glyphs;
    std::vector<bool> present;

    const Glyph& at(unsigned char c) const
    {
        const int i = c - firstChar;
        if (i >= 0 && c <= lastChar && present[size_t(i)])
            return glyphs[size_t(i)];
        return glyphs.back();
    }
};

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kFontType = 0x464F4E54; // 'FONT'

int word(const std::vector<uint8_t>& b, size_t at)
{
    return int16_t(uint16_t((b[at] << 8) | b[at + 1]));
}

// Null when the bytes are not a sound bitmap font.
std::unique_ptr<Strike> parseStrike(const std::vector<uint8_t>& b)
{
    if (b.size() < 26)
        return nullptr;
    auto s = std::make_unique<Strike>();
    s->firstChar = word(b, 2);
    s->lastChar = word(b, 4);
    const int kernMax = word(b, 8), nDescent = word(b, 10), height = word(b, 14);
    const long owTLoc = (nDescent > 0 ? long(nDescent) << 16 : 0) + (word(b, 16) & 0xFFFF);
    s->metrics = Metrics {word(b, 18), word(b, 20), word(b, 6), word(b, 22)};
    const int rowWords = word(b, 24);
    const int count = s->lastChar - s->firstChar + 1;
    const size_t strikeAt = 26, locAt = strikeAt + size_t(rowWords) * size_t(height) * 2;
    const size_t owAt = 16 + size_t(owTLoc) * 2;
    if (count < 0 || count > 256 || height <= 0 || rowWords < 0 || owAt != locAt + size_t(count + 2) * 2
        || owAt + size_t(count + 2) * 2 > b.size())
        return nullptr;
    auto bit = [&](int x, int y) {
        const size_t at = strikeAt + size_t(y) * size_t(rowWords) * 2 + size_t(x >> 3);
        return (b[at] >> (7 - (x & 7))) & 1;
    };
    for (int i = 0; i <= count; ++i) {
        const int ow = word(b, owAt + size_t(i) * 2) & 0xFFFF;
        const int loc = word(b, locAt + size_t(i) * 2) & 0xFFFF;
        const int next = word(b, locAt + size_t(i + 1) * 2) & 0xFFFF;
        Glyph g;
        const bool exists = ow != 0xFFFF;
        if (exists && next >= loc && next <= rowWords * 16) {
            g.left = kernMax + (ow >> 8);
            g.top = s->metrics.ascent;
            g.width = next - loc;
            g.rows = height;
            g.advance = ow & 0xFF;
            g.ink.resize(size_t(g.width) * size_t(height));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < g.width; ++x)
                    g.ink[size_t(y) * size_t(g.width) + size_t(x)] = uint8_t(bit(loc + x, y));
        } else if (i == count) {
            return nullptr; // every font has its missing-character glyph
        }
        s->glyphs.push_back(std::move(g));
        s->present.push_back(exists && i < count);
    }
    return s;
}

// The System file on the machine's startup disk when there is one, else the
// one installed with the programs.
std::vector<fs::path> systemFileCandidates()
{
    std::vector<fs::path> paths;
    paths.push_back(machine::current().diskFolder() / macsim::systemFilePath);
    paths.push_back(fs::path(macsim::shareDirectory()) / "System");
    return paths;
}

} // namespace

struct FontLibrary::Impl {
    bool searched = false;
    std::map<int, std::unique_ptr<Strike>> strikes; // by resource ID; null: not a sound font
    std::map<std::pair<int, int>, const Strike*> chosen; // (family, size) -> strike
    std::pair<int, int> lastKey {-1, -1};
    const Strike* lastStrike = nullptr;
    Glyph blank;

    void openSystemFile()
    {
        searched = true;
        ResourceChain& chain = ResourceChain::shared();
        const OSErr saved = chain.lastError;
        std::vector<fs::path> tried = systemFileCandidates();
        bool found = false;
        for (const fs::path& path : tried)
            if ((found = chain.openSystemFile(path)))
                break;
        chain.lastError = saved;
        if (!found)
            std::fprintf(stderr, "toolbox: no System file at %s or %s; text will not be drawn\n",
                tried[0].c_str(), tried[1].c_str());
    }

    // The strike with resource `id`, from the chain's search order.
    const Strike* strike(int id)
    {
        auto known = strikes.find(id);
        if (known != strikes.end())
            return known->second.get();
        std::unique_ptr<Strike> parsed;
        for (OpenResourceFile* file : searchFiles())
            for (const auto& r : file->resources)
                if (!parsed && r->record.type == kFontType && r->record.id == id)
                    parsed = parseStrike(r->record.data);
        return (strikes[id] = std::move(parsed)).get();
    }

    // The files to search: from the current one to the System file.
    std::vector<OpenResourceFile*> searchFiles()
    {
        ResourceChain& chain = ResourceChain::shared();
        std::vector<OpenResourceFile*> files = chain.searchOrder();
        if (chain.hasSystemFile() && (files.empty() || files.back()->refNum != 0))
            files.push_back(chain.find(0));
        return files;
    }

    // The sizes the family has, as FONT IDs family * 128 + size.
    const Strike* nearest(int family, int size)
    {
        const Strike* best = nullptr;
        int bestDistance = 1 << 20;
        for (OpenResourceFile* file : searchFiles())
            for (const auto& r : file->resources) {
                const int id = r->record.id;
                if (r->record.type != kFontType || id / 128 != family || id % 128 == 0)
                    continue;
                const int distance = std::abs(id % 128 - size);
                const Strike* s = strike(id);
                if (s && distance < bestDistance) {
                    best = s;
                    bestDistance = distance;
                }
            }
        return best;
    }

    const Strike* strikeFor(const FontRequest& request)
    {
        if (!searched)
            openSystemFile();
        const int family = request.font == applFont ? int(kFontIDGeneva) : int(request.font);
        const int size = request.size > 0 ? std::min<int>(request.size, 127) : 12;
        auto key = std::make_pair(family, size);
        if (key == lastKey)
            return lastStrike; // text comes in runs of one font
        auto it = chosen.find(key);
        if (it != chosen.end()) {
            lastKey = key;
            return lastStrike = it->second;
        }
        const Strike* s = family >= 0 && family < 256 ? nearest(family, size) : nullptr;
        if (!s)
            s = nearest(kFontIDGeneva, size);
        if (!s)
            s = nearest(systemFont, 12);
        lastKey = key;
        return lastStrike = chosen[key] = s;
    }
};

FontLibrary& FontLibrary::instance()
{
    // Never destroyed, like the resource chain its strikes come from.
    static FontLibrary& library = *new FontLibrary;
    return library;
}

FontLibrary::FontLibrary()
    : impl_(std::make_unique<Impl>())
{
}

FontLibrary::~FontLibrary() = default;

const Glyph& FontLibrary::glyph(const FontRequest& request, unsigned char macRomanChar)
{
    return glyphs(request)[macRomanChar];
}

Glyphs FontLibrary::glyphs(const FontRequest& request)
{
    return Glyphs(impl_->strikeFor(request), impl_->blank);
}

const Glyph& Glyphs::operator[](unsigned char macRomanChar) const
{
    return strike_ ? strike_->at(macRomanChar) : blank_;
}

Metrics FontLibrary::metrics(const FontRequest& request)
{
    const Strike* s = impl_->strikeFor(request);
    if (!s) {
        const int px = request.size > 0 ? request.size : 12;
        return Metrics {px - px / 4, px / 4, 0, 0};
    }
    Metrics m = s->metrics;
    m.widMax += boldExtra(request);
    return m;
}

int FontLibrary::advance(const FontRequest& request, unsigned char macRomanChar)
{
    return glyph(request, macRomanChar).advance + boldExtra(request);
}

int FontLibrary::width(const FontRequest& request, const unsigned char* text, int count)
{
    const Strike* s = impl_->strikeFor(request);
    if (!s || count <= 0)
        return 0;
    int total = 0;
    for (int i = 0; i < count; ++i)
        total += s->at(text[i]).advance;
    return total + count * boldExtra(request);
}

} // namespace toolbox::text
