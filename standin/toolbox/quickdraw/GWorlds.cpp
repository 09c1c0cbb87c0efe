// Offscreen graphics worlds: a port with its own 32-bit pixels, for drawing
// out of sight and copying to the screen with CopyBits.
#include "quickdraw/PortInternals.h"
#include "quickdraw/Ports.h"

enum : QDErr {
    gwParamErr = -50,
    gwMemFullErr = -108,
};

using namespace toolbox;

namespace {

GDHandle& currentDevice()
{
    static GDHandle device = nullptr;
    return device;
}

} // namespace

QDErr NewGWorld(GWorldPtr* offscreenGWorld, short /*pixelDepth*/, const Rect* boundsRect,
    CTabHandle /*cTable*/, GDHandle /*aGDevice*/, GWorldFlags /*flags*/)
{
    if (!offscreenGWorld || !boundsRect)
        return gwParamErr;
    int w = boundsRect->right - boundsRect->left, h = boundsRect->bottom - boundsRect->top;
    // rowBytes keeps 14 bits: at most 4095 pixels a row.
    if (w <= 0 || h <= 0 || w > 4095 || h > 4095)
        return gwParamErr;
    auto* port = new GrafPort;
    initPort(port, Rect {0, 0, SInt16(h), SInt16(w)});
    PortExtras& extras = *port->extras;
    extras.isGWorld = true;
    extras.offscreen.assign(size_t(w) * size_t(h), 0xFFFFFF);
    port->portBits.baseAddr = reinterpret_cast<Ptr>(extras.offscreen.data());
    port->portBits.rowBytes = SInt16(0x8000 | (w * 4));
    port->portBits.bounds = *boundsRect;
    port->portRect = *boundsRect;
    regionOf(port->visRgn) = Region(IRect::from(*boundsRect));
    extras.pixMap = PixMap {port->portBits.baseAddr, port->portBits.rowBytes, *boundsRect, 32};
    extras.pixMapMaster = new PixMapPtr(&extras.pixMap);
    *offscreenGWorld = port;
    return noErr;
}

void DisposeGWorld(GWorldPtr offscreenGWorld)
{
    if (!offscreenGWorld || !offscreenGWorld->extras || !offscreenGWorld->extras->isGWorld)
        return;
    closePort(offscreenGWorld);
    delete offscreenGWorld;
}

void GetGWorld(CGrafPtr* port, GDHandle* gdh)
{
    if (port)
        *port = currentPort();
    if (gdh)
        *gdh = currentDevice();
}

void SetGWorld(CGrafPtr port, GDHandle gdh)
{
    SetPort(port);
    currentDevice() = gdh;
}

PixMapHandle GetGWorldPixMap(GWorldPtr offscreenGWorld)
{
    if (!offscreenGWorld || !offscreenGWorld->extras || !offscreenGWorld->extras->isGWorld)
        return nullptr;
    return offscreenGWorld->extras->pixMapMaster;
}

Boolean LockPixels(PixMapHandle pm)
{
    return pm != nullptr;
}

void UnlockPixels(PixMapHandle)
{
}
