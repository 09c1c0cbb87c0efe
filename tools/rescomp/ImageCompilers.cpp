// 'cicn' and 'PICT' resources drawn as pixel art:
//
//   cicn 1000                      picture 128
//       size 8x12                      size 11x18
//       colour . none                  colour - #DDDDDD
//       colour k #000000               colour k #000000
//       pixels                         pixels
//       k.......                       ---kkkkkkkk
//       ...                            ...
//   end                            end
#include "Block.h"
#include "ImageEncoders.h"

namespace rescomp {

namespace {

PixelArt readArt(SourceReader& reader, const Statement& opening, const char* block)
{
    PixelArtReader art(reader);
    forEachStatement(reader, opening, [&](const Statement& s, Arguments& args) {
        if (!art.take(s, args))
            unknownStatement(args, s, block);
    });
    return art.complete(opening);
}

} // namespace

void compileColourIcon(
    SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out)
{
    const PixelArt art = readArt(reader, opening, "cicn");
    if (art.width > 256 || art.height > 256)
        reader.fail(opening.line, "cicn " + std::to_string(id) + " is larger than 256x256");
    out.push_back({fourCC("cicn"), static_cast<int16_t>(id), {}, encodeColourIcon(art), {},
        std::make_shared<const PixelArt>(art)});
}

void compilePicture(
    SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out)
{
    const PixelArt art = readArt(reader, opening, "picture");
    if (art.hasTransparency())
        reader.fail(opening.line, "picture " + std::to_string(id) + ": pictures have no transparent colours");
    out.push_back({fourCC("PICT"), static_cast<int16_t>(id), {}, encodePicture(art), {},
        std::make_shared<const PixelArt>(art)});
}

} // namespace rescomp
