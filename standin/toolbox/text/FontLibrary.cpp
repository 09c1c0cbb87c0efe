// Font files are pinned for repeatable pixels: MACSIM_FONT_DIR when set, then
// the Debian fonts-dejavu-core location, and only then whatever fontconfig
// offers for the family. The TrueType interpreter version is set explicitly
// so that FREETYPE_PROPERTIES cannot change the hinting.
#include "text/FontLibrary.h"

#include "text/MacRoman.h"

#include <Fonts.h>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace toolbox::text {

namespace {

constexpr const char* kDebianFontDir = "/usr/share/fonts/truetype/dejavu";

enum class Family { Sans, Mono, Serif };

Family familyOf(short font)
{
    switch (font) {
    case kFontIDMonaco:
    case kFontIDCourier:
        return Family::Mono;
    case kFontIDNewYork:
    case kFontIDTimes:
    case kFontIDLondon:
    case kFontIDAthens:
    case kFontIDToronto:
        return Family::Serif;
    default:
        return Family::Sans;
    }
}

int pixelSizeOf(const FontRequest& request)
{
    return std::clamp<int>(request.size > 0 ? request.size : 12, 1, 255);
}

bool isBold(const FontRequest& request)
{
    return request.font == systemFont || (request.face & 1);
}

bool isItalic(const FontRequest& request)
{
    return (request.face & 2) != 0;
}

std::string fileNameOf(Family family, bool bold, bool italic)
{
    std::string base = family == Family::Mono ? "DejaVuSansMono"
        : family == Family::Serif             ? "DejaVuSerif"
                                              : "DejaVuSans";
    const char* slanted = family == Family::Serif ? "Italic" : "Oblique";
    if (bold && italic)
        return base + "-Bold" + slanted + ".ttf";
    if (bold)
        return base + "-Bold.ttf";
    if (italic)
        return base + "-" + slanted + ".ttf";
    return base + ".ttf";
}

std::string fontconfigName(Family family, bool bold, bool italic)
{
    std::string name = family == Family::Mono ? "DejaVu Sans Mono"
        : family == Family::Serif             ? "DejaVu Serif"
                                              : "DejaVu Sans";
    if (bold)
        name += ":bold";
    if (italic)
        name += ":italic";
    return name;
}

} // namespace

struct FontLibrary::Impl {
    FT_Library library = nullptr;
    bool usedFontconfig = false;
    bool warned = false;
    std::unordered_map<std::string, std::string> resolved; // file name -> path ("" = none)
    std::vector<std::string> paths; // face index -> path
    std::vector<FT_Face> faces;
    std::vector<int> faceSizes;
    std::unordered_map<uint32_t, Glyph> glyphs;
    Glyph blank;

    std::string find(Family family, bool bold, bool italic)
    {
        std::string fileName = fileNameOf(family, bold, italic);
        auto known = resolved.find(fileName);
        if (known != resolved.end())
            return known->second;
        std::string path;
        namespace fs = std::filesystem;
        std::error_code ec;
        if (const char* dir = std::getenv("MACSIM_FONT_DIR");
            dir && *dir && fs::exists(fs::path(dir) / fileName, ec))
            path = (fs::path(dir) / fileName).string();
        else if (fs::exists(fs::path(kDebianFontDir) / fileName, ec))
            path = (fs::path(kDebianFontDir) / fileName).string();
        else
            path = askFontconfig(fontconfigName(family, bold, italic));
        if (path.empty() && (family != Family::Sans || bold || italic))
            path = find(Family::Sans, false, false);
        resolved[fileName] = path;
        return path;
    }

    std::string askFontconfig(const std::string& name)
    {
        usedFontconfig = true;
        std::string path;
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
        if (!pattern)
            return path;
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
                path = reinterpret_cast<const char*>(file);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        return path;
    }

    // The face for request at its pixel size, or -1 when there is no font.
    int faceFor(const FontRequest& request)
    {
        std::string path = find(familyOf(request.font), isBold(request), isItalic(request));
        if (path.empty() || !library) {
            if (!warned) {
                warned = true;
                std::fprintf(stderr, "toolbox: no DejaVu font found; text will not be drawn\n");
            }
            return -1;
        }
        auto it = std::find(paths.begin(), paths.end(), path);
        int index = int(it - paths.begin());
        if (it == paths.end()) {
            FT_Face face = nullptr;
            if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
                std::fprintf(stderr, "toolbox: cannot load font %s\n", path.c_str());
                face = nullptr;
            }
            paths.push_back(path);
            faces.push_back(face);
            faceSizes.push_back(0);
        }
        if (!faces[size_t(index)])
            return -1;
        int px = pixelSizeOf(request);
        if (faceSizes[size_t(index)] != px) {
            FT_Set_Pixel_Sizes(faces[size_t(index)], 0, FT_UInt(px));
            faceSizes[size_t(index)] = px;
        }
        return index;
    }

    Glyph render(FT_Face face, char32_t code)
    {
        Glyph g;
        FT_UInt index = FT_Get_Char_Index(face, FT_ULong(code));
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0)
            return g;
        FT_GlyphSlot slot = face->glyph;
        g.advance = int((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
            return g;
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = int(bm.width);
        g.rows = int(bm.rows);
        g.ink.assign(size_t(g.width) * size_t(g.rows), 0);
        for (int y = 0; y < g.rows; ++y) {
            const unsigned char* row = bm.buffer + y * bm.pitch;
            for (int x = 0; x < g.width; ++x)
                g.ink[size_t(y) * size_t(g.width) + size_t(x)] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        }
        return g;
    }
};

FontLibrary& FontLibrary::instance()
{
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary()
    : impl_(std::make_unique<Impl>())
{
    if (FT_Init_FreeType(&impl_->library) != 0) {
        impl_->library = nullptr;
        return;
    }
    FT_UInt interpreter = TT_INTERPRETER_VERSION_40;
    FT_Property_Set(impl_->library, "truetype", "interpreter-version", &interpreter);
}

FontLibrary::~FontLibrary()
{
    for (FT_Face face : impl_->faces)
        if (face)
            FT_Done_Face(face);
    if (impl_->library)
        FT_Done_FreeType(impl_->library);
    if (impl_->usedFontconfig)
        FcFini();
}

const Glyph& FontLibrary::glyph(const FontRequest& request, unsigned char macRomanChar)
{
    char32_t code = unicodeOfMacRoman(macRomanChar);
    if (code == 0)
        return impl_->blank;
    int face = impl_->faceFor(request);
    if (face < 0)
        return impl_->blank;
    uint32_t key = (uint32_t(face) << 16) | (uint32_t(pixelSizeOf(request)) << 8) | macRomanChar;
    auto it = impl_->glyphs.find(key);
    if (it == impl_->glyphs.end())
        it = impl_->glyphs.emplace(key, impl_->render(impl_->faces[size_t(face)], code)).first;
    return it->second;
}

Metrics FontLibrary::metrics(const FontRequest& request)
{
    Metrics m;
    int face = impl_->faceFor(request);
    if (face < 0) {
        int px = pixelSizeOf(request);
        m.ascent = px - px / 4;
        m.descent = px / 4;
        return m;
    }
    const FT_Size_Metrics& sm = impl_->faces[size_t(face)]->size->metrics;
    m.ascent = int((sm.ascender + 63) >> 6);
    m.descent = int((-sm.descender + 63) >> 6);
    m.widMax = int((sm.max_advance + 63) >> 6);
    m.leading = std::max(0, int((sm.height + 63) >> 6) - m.ascent - m.descent);
    return m;
}

int FontLibrary::width(const FontRequest& request, const unsigned char* text, int count)
{
    int total = 0;
    for (int i = 0; i < count; ++i)
        total += glyph(request, text[i]).advance;
    return total;
}

std::string FontLibrary::fileFor(const FontRequest& request)
{
    return impl_->find(familyOf(request.font), isBold(request), isItalic(request));
}

} // namespace toolbox::text
