// Colour icons: the 'cicn' layout (PixMap, mask and one-bit BitMaps, their
// bits, a colour table, the indexed pixels) decoded once into pixels and a
// mask, then drawn through the mask.
#include "quickdraw/IndexedImage.h"
#include "quickdraw/PictureData.h"
#include "quickdraw/Raster.h"

struct CIcon {
    toolbox::DecodedImage image;
    Rect bounds;
};

namespace toolbox {

namespace {

constexpr int kMaxIconSide = 256;

struct BitMapHeader {
    int rowBytes = 0;
    Rect bounds {};
};

BitMapHeader readBitMapHeader(ByteReader& in)
{
    in.u32(); // base address placeholder
    BitMapHeader h;
    h.rowBytes = in.u16() & 0x3FFF;
    h.bounds = in.rect();
    return h;
}

} // namespace

CIconHandle cIconFromBytes(const void* data, size_t size)
{
    if (!data)
        return nullptr;
    ByteReader in(static_cast<const uint8_t*>(data), size);
    BitMapHeader pix = readBitMapHeader(in);
    in.skip(2 + 2 + 4 + 4 + 4 + 2); // version, packType, packSize, hRes, vRes, pixelType
    int depth = in.u16();
    in.skip(2 + 2 + 4 + 4 + 4); // cmpCount, cmpSize, planeBytes, pmTable, pmReserved
    BitMapHeader mask = readBitMapHeader(in);
    BitMapHeader oneBit = readBitMapHeader(in);
    in.u32(); // icon data handle placeholder

    int width = pix.bounds.right - pix.bounds.left, height = pix.bounds.bottom - pix.bounds.top;
    if (!in.ok() || width <= 0 || height <= 0 || width > kMaxIconSide || height > kMaxIconSide
        || !isIndexedDepth(depth) || pix.rowBytes * 8 < width * depth
        || (mask.rowBytes != 0 && mask.rowBytes * 8 < width))
        return nullptr;

    const uint8_t* maskBits = in.take(size_t(mask.rowBytes) * size_t(height));
    in.skip(size_t(oneBit.rowBytes) * size_t(height));
    Palette palette;
    if (!readColorTable(in, palette))
        return nullptr;
    const uint8_t* pixels = in.take(size_t(pix.rowBytes) * size_t(height));
    if (!in.ok() || !pixels)
        return nullptr;

    auto* icon = new CIcon;
    icon->bounds = pix.bounds;
    DecodedImage& image = icon->image;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t(width) * size_t(height));
    image.mask.assign(image.pixels.size(), 1); // no mask bits: all of it shows
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t i = size_t(y) * size_t(width) + size_t(x);
            image.pixels[i] = palette[indexAt(pixels + size_t(y) * size_t(pix.rowBytes), x, depth)];
            if (mask.rowBytes != 0)
                image.mask[i] = uint8_t(indexAt(maskBits + size_t(y) * size_t(mask.rowBytes), x, 1));
        }
    }
    return new CIconPtr(icon);
}

} // namespace toolbox

using namespace toolbox;

void PlotCIcon(const Rect* theRect, CIconHandle theIcon)
{
    if (!theRect || !theIcon || !*theIcon)
        return;
    const DecodedImage& image = (**theIcon).image;
    int rw = theRect->right - theRect->left, rh = theRect->bottom - theRect->top;
    if (rw <= 0 || rh <= 0)
        return;
    GrafPtr port = currentPort();
    Surface s = surfaceOf(port);
    Point shift = portShift(port);
    IRect target = IRect::from(*theRect).offset(shift.h, shift.v);
    Region area = drawingClip(port).intersect(target);
    for (const IRect& r : area.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            int sy = int((int64_t(y - target.top) * image.height) / rh);
            for (int x = r.left; x < r.right; ++x) {
                int sx = int((int64_t(x - target.left) * image.width) / rw);
                size_t i = size_t(sy) * size_t(image.width) + size_t(sx);
                if (image.mask[i])
                    s.at(x, y) = image.pixels[i];
            }
        }
    }
    noteChanged(s, area.bounds());
}

void DisposeCIcon(CIconHandle theIcon)
{
    if (!theIcon)
        return;
    delete *theIcon;
    delete theIcon;
}
