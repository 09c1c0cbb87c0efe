// Graphics ports: set-up, the current port, the origin, clipping and the
// coordinate conversions between a port and the screen.
#include "quickdraw/Ports.h"
#include "quickdraw/Framebuffer.h"
#include "quickdraw/PortInternals.h"

#include <algorithm>

namespace toolbox {

namespace {

std::vector<GrafPtr>& portList()
{
    static std::vector<GrafPtr> ports;
    return ports;
}

GrafPtr& current()
{
    static GrafPtr port = nullptr;
    return port;
}

RgnHandle newRegionFor(const IRect& r)
{
    RgnHandle h = NewRgn();
    regionOf(h) = Region(r);
    return h;
}

} // namespace

const std::vector<GrafPtr>& livePorts()
{
    return portList();
}

GrafPtr currentPort()
{
    if (!current())
        current() = screenPort();
    return current();
}

void initPort(CGrafPtr port, const Rect& globalBounds)
{
    *port = GrafPort {};
    Framebuffer& fb = screen();
    short width = short(std::max(0, globalBounds.right - globalBounds.left));
    short height = short(std::max(0, globalBounds.bottom - globalBounds.top));
    port->portBits.baseAddr = reinterpret_cast<Ptr>(fb.pixels());
    port->portBits.rowBytes = SInt16(0x8000 | (fb.stride() * 4));
    port->portBits.bounds = Rect {SInt16(-globalBounds.top), SInt16(-globalBounds.left),
        SInt16(fb.height() - globalBounds.top), SInt16(fb.width() - globalBounds.left)};
    port->portRect = Rect {0, 0, height, width};
    port->visRgn = newRegionFor(IRect::from(port->portRect));
    port->clipRgn = newRegionFor(kWideOpen);
    port->extras = new PortExtras;
    port->pnSize = Point {1, 1};
    port->pnMode = patCopy;
    std::fill(std::begin(port->pnPat.pat), std::end(port->pnPat.pat), 0xFF);
    std::fill(std::begin(port->fillPat.pat), std::end(port->fillPat.pat), 0xFF);
    port->txMode = srcOr;
    port->rgbFgColor = RGBColor {0, 0, 0};
    port->rgbBkColor = RGBColor {0xFFFF, 0xFFFF, 0xFFFF};
    portList().push_back(port);
}

void closePort(CGrafPtr port)
{
    if (!port || !port->extras)
        return;
    auto& ports = portList();
    ports.erase(std::remove(ports.begin(), ports.end(), port), ports.end());
    DisposeRgn(port->visRgn);
    DisposeRgn(port->clipRgn);
    delete port->extras->pixMapMaster;
    delete port->extras;
    port->extras = nullptr;
    port->visRgn = port->clipRgn = nullptr;
    if (current() == port)
        current() = nullptr;
}

void movePort(CGrafPtr port, short globalLeft, short globalTop)
{
    Rect& b = port->portBits.bounds;
    short w = short(b.right - b.left), h = short(b.bottom - b.top);
    b.left = SInt16(port->portRect.left - globalLeft);
    b.top = SInt16(port->portRect.top - globalTop);
    b.right = SInt16(b.left + w);
    b.bottom = SInt16(b.top + h);
}

void resizePort(CGrafPtr port, short width, short height)
{
    port->portRect.right = SInt16(port->portRect.left + std::max<short>(0, width));
    port->portRect.bottom = SInt16(port->portRect.top + std::max<short>(0, height));
    regionOf(port->visRgn) = Region(IRect::from(port->portRect));
}

Rect portGlobalRect(CGrafPtr port)
{
    Point s = portShift(port);
    return IRect::from(port->portRect).offset(s.h, s.v).toRect();
}

Point portToGlobal(CGrafPtr port, Point local)
{
    Point s = portShift(port);
    return Point {SInt16(local.v + s.v), SInt16(local.h + s.h)};
}

Point globalToPort(CGrafPtr port, Point global)
{
    Point s = portShift(port);
    return Point {SInt16(global.v - s.v), SInt16(global.h - s.h)};
}

void setVisibleRegion(CGrafPtr port, RgnHandle globalRgn)
{
    if (!globalRgn) {
        regionOf(port->visRgn) = Region(IRect::from(port->portRect));
        return;
    }
    Point s = portShift(port);
    Region local = regionOf(globalRgn);
    local.offset(-s.h, -s.v);
    regionOf(port->visRgn) = local;
}

void setUpdateClip(CGrafPtr port, RgnHandle globalRgn)
{
    if (!port->extras)
        return;
    port->extras->hasUpdateClip = globalRgn != nullptr;
    port->extras->updateClip = globalRgn ? regionOf(globalRgn) : Region();
}

CGrafPtr screenPort()
{
    static GrafPort port;
    static bool ready = false;
    if (!ready) {
        ready = true;
        initPort(&port, screen().bounds());
    }
    return &port;
}

Surface surfaceOf(const BitMap* bits)
{
    Surface s;
    s.pixels = reinterpret_cast<uint32_t*>(bits->baseAddr);
    s.width = std::max(0, bits->bounds.right - bits->bounds.left);
    s.height = std::max(0, bits->bounds.bottom - bits->bounds.top);
    s.stride = (bits->rowBytes & 0x3FFF) / 4;
    s.isScreen = s.pixels == screen().pixels();
    return s;
}

Surface surfaceOf(GrafPtr port)
{
    return surfaceOf(&port->portBits);
}

std::optional<IRect> rectangularClip(GrafPtr port)
{
    const Region& visRgn = regionOf(port->visRgn);
    const Region& clipRgn = regionOf(port->clipRgn);
    const bool hasUpdateClip = port->extras && port->extras->hasUpdateClip;
    if (!visRgn.isRectangular() || !clipRgn.isRectangular()
        || (hasUpdateClip && !port->extras->updateClip.isRectangular()))
        return std::nullopt;
    Point s = portShift(port);
    IRect box = IRect::from(port->portRect).offset(s.h, s.v).intersect(surfaceOf(port).bounds());
    box = box.intersect(visRgn.bounds().offset(s.h, s.v)).intersect(clipRgn.bounds().offset(s.h, s.v));
    if (hasUpdateClip)
        box = box.intersect(port->extras->updateClip.bounds());
    return box;
}

Region drawingClip(GrafPtr port)
{
    // Mostly every part is a rectangle: no region arithmetic then.
    if (const std::optional<IRect> box = rectangularClip(port))
        return Region(*box);
    Point s = portShift(port);
    Region clip(IRect::from(port->portRect).offset(s.h, s.v).intersect(surfaceOf(port).bounds()));
    Region vis = regionOf(port->visRgn);
    vis.offset(s.h, s.v);
    clip = clip.intersect(vis);
    Region userClip = regionOf(port->clipRgn);
    userClip.offset(s.h, s.v);
    clip = clip.intersect(userClip);
    if (port->extras && port->extras->hasUpdateClip)
        clip = clip.intersect(port->extras->updateClip);
    return clip;
}

} // namespace toolbox

using namespace toolbox;

void SetPort(GrafPtr port)
{
    if (port)
        current() = port;
}

void GetPort(GrafPtr* port)
{
    if (port)
        *port = currentPort();
}

void SetOrigin(short h, short v)
{
    GrafPtr port = currentPort();
    short dh = short(h - port->portRect.left), dv = short(v - port->portRect.top);
    OffsetRect(&port->portRect, dh, dv);
    OffsetRect(&port->portBits.bounds, dh, dv);
    regionOf(port->visRgn).offset(dh, dv);
}

void ClipRect(const Rect* r)
{
    regionOf(currentPort()->clipRgn) = Region(IRect::from(*r));
}

void SetClip(RgnHandle rgn)
{
    regionOf(currentPort()->clipRgn) = regionOf(rgn);
}

void GetClip(RgnHandle rgn)
{
    regionOf(rgn) = regionOf(currentPort()->clipRgn);
}

Rect* GetPortBounds(CGrafPtr port, Rect* rect)
{
    *rect = port->portRect;
    return rect;
}

RgnHandle GetPortVisibleRegion(CGrafPtr port, RgnHandle visRgn)
{
    regionOf(visRgn) = regionOf(port->visRgn);
    return visRgn;
}

RgnHandle GetPortClipRegion(CGrafPtr port, RgnHandle clipRgn)
{
    regionOf(clipRgn) = regionOf(port->clipRgn);
    return clipRgn;
}

Point* GetPortPenLocation(CGrafPtr port, Point* penLocation)
{
    *penLocation = port->pnLoc;
    return penLocation;
}

RGBColor* GetPortForeColor(CGrafPtr port, RGBColor* foreColor)
{
    *foreColor = port->rgbFgColor;
    return foreColor;
}

RGBColor* GetPortBackColor(CGrafPtr port, RGBColor* backColor)
{
    *backColor = port->rgbBkColor;
    return backColor;
}

short GetPortTextFont(CGrafPtr port)
{
    return port->txFont;
}

short GetPortTextSize(CGrafPtr port)
{
    return port->txSize;
}

Style GetPortTextFace(CGrafPtr port)
{
    return port->txFace;
}

const BitMap* GetPortBitMapForCopyBits(CGrafPtr port)
{
    return &port->portBits;
}

BitMap* GetQDGlobalsScreenBits(BitMap* screenBits)
{
    Framebuffer& fb = screen();
    screenBits->baseAddr = reinterpret_cast<Ptr>(fb.pixels());
    screenBits->rowBytes = SInt16(0x8000 | (fb.stride() * 4));
    screenBits->bounds = fb.bounds();
    return screenBits;
}

void GlobalToLocal(Point* pt)
{
    *pt = globalToPort(currentPort(), *pt);
}

void LocalToGlobal(Point* pt)
{
    *pt = portToGlobal(currentPort(), *pt);
}

CGrafPtr CreateNewPort()
{
    auto* port = new GrafPort;
    initPort(port, screen().bounds());
    return port;
}

void DisposePort(CGrafPtr port)
{
    if (!port || port == screenPort())
        return;
    closePort(port);
    delete port;
}
