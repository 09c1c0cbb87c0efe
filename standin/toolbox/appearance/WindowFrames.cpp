#include "appearance/WindowFrames.h"

#include "appearance/Palette.h"
#include "appearance/ScreenPainter.h"
#include "windows/WindowRecord.h"

namespace toolbox {

namespace {

constexpr int kTitleBarHeight = 18;
constexpr int kBoxSize = 11;

bool isDocumentKind(short procID)
{
    switch (procID) {
    case dBoxProc:
    case plainDBox:
    case altDBoxProc:
        return false;
    default:
        return true;
    }
}

bool hasZoomBox(short procID)
{
    return procID == zoomDocProc || procID == zoomNoGrow;
}
bool hasGrowBox(short procID)
{
    return procID == documentProc || procID == zoomDocProc || procID == rDocProc;
}

IRect outset(const IRect& r, int d)
{
    return IRect {r.left - d, r.top - d, r.right + d, r.bottom + d};
}

void drawBevelBox(ScreenPainter& p, const IRect& box, bool pressed)
{
    p.frame(box, look::kBlack);
    IRect inside = outset(box, -1);
    p.fill(inside, pressed ? look::kBoxPressed : look::kTitleBar);
    uint32_t light = pressed ? look::kBlack : look::kWhite;
    uint32_t dark = pressed ? look::kBoxShade : look::kBoxShade;
    p.hline(inside.left, inside.right - 1, inside.top, light);
    p.vline(inside.left, inside.top, inside.bottom - 1, light);
    p.hline(inside.left + 1, inside.right, inside.bottom - 1, dark);
    p.vline(inside.right - 1, inside.top + 1, inside.bottom, dark);
}

void drawTitleBar(ScreenPainter& p, const OpaqueWindowPtr& w, const FrameParts& parts)
{
    const IRect& bar = parts.titleBar;
    if (!w.hilited) {
        p.fill(bar, look::kFrameLight);
    } else {
        p.fill(bar, look::kTitleBar);
        p.hline(bar.left, bar.right - 1, bar.top, look::kWhite);
        p.vline(bar.left, bar.top, bar.bottom - 1, look::kWhite);
        p.hline(bar.left + 1, bar.right, bar.bottom - 1, look::kDivider);
        p.vline(bar.right - 1, bar.top + 1, bar.bottom, look::kDivider);
    }

    const unsigned char* title = w.title;
    int titleWidth = title[0] ? ScreenPainter::textWidth(title) : 0;
    int barWidth = bar.right - bar.left;
    int titleLeft = bar.left + (barWidth - titleWidth) / 2;
    // Stripes run the width of the bar except around the boxes and the title.
    if (w.hilited) {
        int stripeLeft = bar.left + 2, stripeRight = bar.right - 2;
        for (int row = 3; row <= 13; row += 2) {
            p.hline(stripeLeft, stripeRight, bar.top + row, look::kTitleStripe);
            p.hline(stripeLeft + 1, stripeRight, bar.top + row + 1, look::kTitleStripeLight);
        }
        auto clearAround = [&](const IRect& r, int margin) {
            if (!r.empty())
                p.fill(
                    IRect {r.left - margin, bar.top + 2, r.right + margin, bar.bottom - 2}, look::kTitleBar);
        };
        clearAround(parts.closeBox, 2);
        clearAround(parts.zoomBox, 2);
        if (titleWidth > 0)
            clearAround(IRect {titleLeft, bar.top, titleLeft + titleWidth, bar.bottom}, 6);
    }
    if (titleWidth > 0) {
        FontInfo info = ScreenPainter::fontInfo();
        int baseline = bar.top + (kTitleBarHeight - (info.ascent + info.descent)) / 2 + info.ascent;
        p.text(titleLeft, baseline, title, w.hilited ? look::kBlack : look::kInactiveTitle);
    }
    if (w.hilited && !parts.closeBox.empty())
        drawBevelBox(p, parts.closeBox, false);
    if (w.hilited && !parts.zoomBox.empty()) {
        drawBevelBox(p, parts.zoomBox, false);
        p.frame(IRect {parts.zoomBox.left + 2, parts.zoomBox.top + 2, parts.zoomBox.left + 7,
                    parts.zoomBox.top + 7},
            look::kBlack);
    }
}

void drawShadow(ScreenPainter& p, const FrameParts& parts)
{
    const IRect& o = parts.outline;
    for (int i = 0; i < parts.shadow; ++i) {
        p.vline(o.right + i, o.top + 1 + i, o.bottom + 1 + i, look::kShadow);
        p.hline(o.left + 1 + i, o.right + 1 + i, o.bottom + i, look::kShadow);
    }
}

} // namespace

FrameParts frameParts(const OpaqueWindowPtr& w)
{
    FrameParts parts;
    const IRect& c = w.content;
    if (isDocumentKind(w.procID)) {
        parts.outline = IRect {c.left - 1, c.top - kTitleBarHeight - 2, c.right + 1, c.bottom + 1};
        parts.shadow = 1;
        parts.titleBar = IRect {c.left, parts.outline.top + 1, c.right, c.top - 1};
        parts.movable = true;
        int boxTop = parts.titleBar.top + (kTitleBarHeight - kBoxSize) / 2;
        if (w.goAway && w.procID != movableDBoxProc)
            parts.closeBox = IRect {c.left + 8, boxTop, c.left + 8 + kBoxSize, boxTop + kBoxSize};
        if (hasZoomBox(w.procID))
            parts.zoomBox = IRect {c.right - 8 - kBoxSize, boxTop, c.right - 8, boxTop + kBoxSize};
        if (hasGrowBox(w.procID))
            parts.growBox = IRect {c.right - 15, c.bottom - 15, c.right, c.bottom};
    } else if (w.procID == dBoxProc) {
        parts.outline = outset(c, 8);
    } else {
        parts.outline = outset(c, 1);
        parts.shadow = w.procID == altDBoxProc ? 2 : 0;
    }
    return parts;
}

Region structureRegion(const OpaqueWindowPtr& w)
{
    FrameParts parts = frameParts(w);
    Region r(parts.outline);
    if (parts.shadow > 0) {
        const IRect& o = parts.outline;
        r = r.unite(Region(IRect {o.right, o.top + 1, o.right + parts.shadow, o.bottom + parts.shadow}));
        r = r.unite(Region(IRect {o.left + 1, o.bottom, o.right + parts.shadow, o.bottom + parts.shadow}));
    }
    return r;
}

void drawWindowFrame(const OpaqueWindowPtr& w, const Region& clip)
{
    Region area = clip.subtract(Region(w.content));
    if (area.empty())
        return;
    ScreenPainter p(area);
    FrameParts parts = frameParts(w);
    const IRect& o = parts.outline;
    p.frame(o, look::kBlack);
    if (!parts.titleBar.empty()) {
        p.hline(o.left, o.right, w.content.top - 1, look::kBlack);
        drawTitleBar(p, w, parts);
    } else if (w.procID == dBoxProc) {
        p.frame(outset(o, -1), look::kWhite);
        p.frame(outset(o, -2), look::kDialogRing);
        p.frame(outset(o, -3), look::kDialogRing);
        p.frame(outset(o, -4), look::kBlack);
        for (int ring = 5; ring < 8; ++ring)
            p.frame(outset(o, -ring), look::kWhite);
    }
    drawShadow(p, parts);
}

void drawCloseBox(const OpaqueWindowPtr& w, bool pressed, const Region& clip)
{
    FrameParts parts = frameParts(w);
    if (parts.closeBox.empty())
        return;
    ScreenPainter p(clip);
    drawBevelBox(p, parts.closeBox, pressed);
}

void drawZoomBox(const OpaqueWindowPtr& w, bool pressed, const Region& clip)
{
    FrameParts parts = frameParts(w);
    if (parts.zoomBox.empty())
        return;
    ScreenPainter p(clip);
    drawBevelBox(p, parts.zoomBox, pressed);
    p.frame(
        IRect {parts.zoomBox.left + 2, parts.zoomBox.top + 2, parts.zoomBox.left + 7, parts.zoomBox.top + 7},
        pressed ? look::kWhite : look::kBlack);
}

} // namespace toolbox
