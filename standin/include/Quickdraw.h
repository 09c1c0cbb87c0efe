// Quickdraw.h: colour graphics ports, regions, shapes, text, pictures and
// colour icons, drawn into the toolbox's 32-bit software screen (or an
// offscreen GWorld).
//
// Provided:
//   ports      SetPort, GetPort, SetOrigin, ClipRect, SetClip, GetClip,
//              GetPortBounds, GetPortVisibleRegion, GetPortClipRegion,
//              GetPortPenLocation, GetPortForeColor, GetPortBackColor,
//              GetPortTextFont, GetPortTextSize, GetPortTextFace,
//              GetPortBitMapForCopyBits, GetQDGlobalsScreenBits,
//              GlobalToLocal, LocalToGlobal, CreateNewPort, DisposePort
//   pen        MoveTo, Move, LineTo, Line, PenSize, PenMode, PenPat,
//              PenNormal, GetPen, GetPenState, SetPenState, HidePen, ShowPen
//   colour     RGBForeColor, RGBBackColor, GetForeColor, GetBackColor,
//              ForeColor, BackColor (classic colour constants), BackPat,
//              GetCPixel, GetQDGlobalsBlack/White/Gray/LightGray/DarkGray
//   shapes     Frame/Paint/Erase/Invert/Fill x Rect, RoundRect, Oval, Rgn
//   scrolling  ScrollRect
//   copying    CopyBits, NewGWorld, DisposeGWorld, GetGWorld, SetGWorld,
//              GetGWorldPixMap, LockPixels, UnlockPixels
//   regions    NewRgn, DisposeRgn, RectRgn, SetRectRgn, SetEmptyRgn, CopyRgn,
//              UnionRgn, SectRgn, DiffRgn, XorRgn, OffsetRgn, InsetRgn,
//              EmptyRgn, PtInRgn, RectInRgn, EqualRgn, GetRegionBounds,
//              IsRegionRectangular
//   rects      SetRect, OffsetRect, InsetRect, SectRect, UnionRect, EqualRect,
//              EmptyRect, PtInRect, Pt2Rect, SetPt, EqualPt, AddPt, SubPt
//   text       TextFont, TextSize, TextFace, TextMode, DrawString, DrawText,
//              DrawChar, StringWidth, TextWidth, CharWidth, GetFontInfo
//              (font numbers in <Fonts.h>)
//   pictures   GetPicture, DrawPicture, KillPicture, QDGetPictureBounds
//   icons      GetCIcon, PlotCIcon, DisposeCIcon
//
// Defined by the window host, declared here because Carbon declares them
// here: QDFlushPortBuffer, InitCursor, SetCursor, HideCursor, ShowCursor,
// ObscureCursor. GetQDGlobalsArrow is defined by QuickDraw itself.
//
// Simplifications:
// - Direct colour only: every port draws 32-bit 0x00RRGGBB pixels; an RGBColor
//   component keeps its high byte. Patterns are 8x8 bit patterns whose set bits
//   take the foreground colour and clear bits the background colour.
// - Pen and fill transfer modes: patCopy, patOr, patXor, patBic and their
//   "not" forms; text modes srcOr (default), srcCopy, srcBic, srcXor and
//   grayishTextOr (text in the colour midway between foreground and
//   background). Polygons and pictures recording (OpenPicture) are absent.
// - Regions are opaque: a MacRegion is a list of disjoint rectangles.
// - GetPicture returns a fresh handle whose picSize and picFrame are in host
//   byte order; the opcodes after them stay as stored (big-endian). DrawPicture
//   plays version 2 bitmap pictures (PackBitsRect, DirectBitsRect and the
//   housekeeping opcodes); other drawing opcodes are skipped, and malformed
//   data stops the playback without harm.
// - CIcon is opaque: GetCIcon decodes the 'cicn' resource once into pixels and
//   a mask. PlotCIcon scales (nearest neighbour) when the rectangle differs in
//   size from the icon.
// - Drawing is clipped to the port rectangle, its visible region, its clip
//   region and, while the Window Manager updates a window, its update region.
#pragma once

#include <MacTypes.h>

// ---------------------------------------------------------------- basic types

typedef SInt16 QDErr;
typedef short CharParameter;
typedef unsigned char Style;
typedef short StyleParameter;
typedef Style StyleField;

enum : Style {
    normal = 0,
    bold = 1,
    italic = 2,
    underline = 4,
    outline = 8,
    shadow = 0x10,
    condense = 0x20,
    extend = 0x40,
};

// Transfer modes.
enum : SInt16 {
    srcCopy = 0,
    srcOr = 1,
    srcXor = 2,
    srcBic = 3,
    notSrcCopy = 4,
    notSrcOr = 5,
    notSrcXor = 6,
    notSrcBic = 7,
    patCopy = 8,
    patOr = 9,
    patXor = 10,
    patBic = 11,
    notPatCopy = 12,
    notPatOr = 13,
    notPatXor = 14,
    notPatBic = 15,
    grayishTextOr = 49,
};

// Classic colour constants for ForeColor and BackColor.
enum : long {
    whiteColor = 30,
    blackColor = 33,
    yellowColor = 69,
    magentaColor = 137,
    redColor = 205,
    cyanColor = 273,
    greenColor = 341,
    blueColor = 409,
};

struct Pattern {
    UInt8 pat[8];
};
typedef Pattern* PatPtr;

struct BitMap {
    Ptr baseAddr;
    SInt16 rowBytes; // 0x8000 set: 32-bit pixels (rowBytes & 0x3FFF bytes a row); clear: 1 bit a pixel
    Rect bounds; // the whole image, in the owner's local coordinates
};
typedef BitMap* BitMapPtr;

struct PixMap {
    Ptr baseAddr;
    SInt16 rowBytes;
    Rect bounds;
    SInt16 pixelSize; // always 32 here
};
typedef PixMap* PixMapPtr;
typedef PixMapPtr* PixMapHandle;

struct PenState {
    Point pnLoc;
    Point pnSize;
    SInt16 pnMode;
    Pattern pnPat;
};

struct FontInfo {
    SInt16 ascent;
    SInt16 descent;
    SInt16 widMax;
    SInt16 leading;
};

// ------------------------------------------------------------------- regions

struct MacRegion; // opaque: disjoint rectangles
typedef MacRegion* RgnPtr;
typedef RgnPtr* RgnHandle;

// --------------------------------------------------------------------- ports

namespace toolbox {
struct PortExtras; // the layer's own bookkeeping for a port
}

// One port type serves both names. Fields keep QuickDraw's meaning:
// portRect, visRgn and portBits.bounds are local coordinates and move with
// SetOrigin; clipRgn and pnLoc do not. local - portBits.bounds.topLeft gives
// the pixel position in portBits (for a window on the screen: global
// coordinates). The system's code reads these only through the accessors.
struct GrafPort {
    BitMap portBits;
    Rect portRect;
    RgnHandle visRgn;
    RgnHandle clipRgn;
    Pattern bkPat;
    Pattern fillPat;
    Point pnLoc;
    Point pnSize;
    SInt16 pnMode;
    Pattern pnPat;
    SInt16 pnVis; // 0 visible, negative hidden
    SInt16 txFont;
    StyleField txFace;
    SInt16 txMode;
    SInt16 txSize;
    RGBColor rgbFgColor;
    RGBColor rgbBkColor;
    toolbox::PortExtras* extras;
};
typedef GrafPort CGrafPort;
typedef GrafPort* GrafPtr;
typedef GrafPtr CGrafPtr;
typedef CGrafPtr GWorldPtr;

struct GDevice; // opaque; there is one screen
typedef GDevice* GDPtr;
typedef GDPtr* GDHandle;
struct ColorTable;
typedef ColorTable* CTabPtr;
typedef CTabPtr* CTabHandle;
typedef UInt32 GWorldFlags;

void SetPort(GrafPtr port);
void GetPort(GrafPtr* port);
void SetOrigin(short h, short v);
void ClipRect(const Rect* r);
void SetClip(RgnHandle rgn);
void GetClip(RgnHandle rgn);
Rect* GetPortBounds(CGrafPtr port, Rect* rect);
RgnHandle GetPortVisibleRegion(CGrafPtr port, RgnHandle visRgn);
RgnHandle GetPortClipRegion(CGrafPtr port, RgnHandle clipRgn);
Point* GetPortPenLocation(CGrafPtr port, Point* penLocation);
RGBColor* GetPortForeColor(CGrafPtr port, RGBColor* foreColor);
RGBColor* GetPortBackColor(CGrafPtr port, RGBColor* backColor);
short GetPortTextFont(CGrafPtr port);
short GetPortTextSize(CGrafPtr port);
Style GetPortTextFace(CGrafPtr port);
const BitMap* GetPortBitMapForCopyBits(CGrafPtr port);
BitMap* GetQDGlobalsScreenBits(BitMap* screenBits);
void GlobalToLocal(Point* pt);
void LocalToGlobal(Point* pt);
// A port covering the whole screen in global coordinates; DisposePort frees it.
CGrafPtr CreateNewPort();
void DisposePort(CGrafPtr port);

// Offscreen worlds: pixelDepth is ignored (always 32); cTable, aGDevice and
// flags are ignored. The world's port has its own pixels; its local
// coordinates are boundsRect's.
QDErr NewGWorld(GWorldPtr* offscreenGWorld, short pixelDepth, const Rect* boundsRect, CTabHandle cTable,
    GDHandle aGDevice, GWorldFlags flags);
void DisposeGWorld(GWorldPtr offscreenGWorld);
void GetGWorld(CGrafPtr* port, GDHandle* gdh);
void SetGWorld(CGrafPtr port, GDHandle gdh);
PixMapHandle GetGWorldPixMap(GWorldPtr offscreenGWorld);
Boolean LockPixels(PixMapHandle pm);
void UnlockPixels(PixMapHandle pm);

// ----------------------------------------------------------------------- pen

void MoveTo(short h, short v);
void Move(short dh, short dv);
void LineTo(short h, short v);
void Line(short dh, short dv);
void PenSize(short width, short height);
void PenMode(short mode);
void PenPat(const Pattern* pat);
void PenNormal();
void GetPen(Point* pt);
void GetPenState(PenState* pnState);
void SetPenState(const PenState* pnState);
void HidePen();
void ShowPen();

// -------------------------------------------------------------------- colour

void RGBForeColor(const RGBColor* color);
void RGBBackColor(const RGBColor* color);
void GetForeColor(RGBColor* color);
void GetBackColor(RGBColor* color);
void ForeColor(long color);
void BackColor(long color);
void BackPat(const Pattern* pat);
void GetCPixel(short h, short v, RGBColor* cPix);
Pattern* GetQDGlobalsBlack(Pattern* black);
Pattern* GetQDGlobalsWhite(Pattern* white);
Pattern* GetQDGlobalsGray(Pattern* gray);
Pattern* GetQDGlobalsLightGray(Pattern* ltGray);
Pattern* GetQDGlobalsDarkGray(Pattern* dkGray);

// -------------------------------------------------------------------- shapes
// Frames lie inside the shape, pen size thick; right and bottom edges of a
// rectangle are exclusive. Erase uses the background pattern and colour,
// Paint and Frame the pen pattern and mode, Fill the given pattern.

void FrameRect(const Rect* r);
void PaintRect(const Rect* r);
void EraseRect(const Rect* r);
void InvertRect(const Rect* r);
void FillRect(const Rect* r, const Pattern* pat);

void FrameRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
void PaintRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
void EraseRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
void InvertRoundRect(const Rect* r, short ovalWidth, short ovalHeight);
void FillRoundRect(const Rect* r, short ovalWidth, short ovalHeight, const Pattern* pat);

void FrameOval(const Rect* r);
void PaintOval(const Rect* r);
void EraseOval(const Rect* r);
void InvertOval(const Rect* r);
void FillOval(const Rect* r, const Pattern* pat);

void FrameRgn(RgnHandle rgn);
void PaintRgn(RgnHandle rgn);
void EraseRgn(RgnHandle rgn);
void InvertRgn(RgnHandle rgn);
void FillRgn(RgnHandle rgn, const Pattern* pat);

// Shifts the pixels inside r by (dh, dv), clipped like any drawing; fills the
// vacated part with the background; sets updateRgn (if not null) to the
// vacated part in local coordinates. It does not invalidate anything itself.
void ScrollRect(const Rect* r, short dh, short dv, RgnHandle updateRgn);

// Copies between 32-bit bitmaps (or from a 1-bit BitMap, set bits in the
// foreground colour), scaling nearest-neighbour when the rectangles differ.
// Drawing into the current port's bits is clipped like any drawing; maskRgn,
// when given, is in destination coordinates. Modes srcCopy, srcOr, srcBic, srcXor.
void CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect, const Rect* dstRect,
    short mode, RgnHandle maskRgn);

// ------------------------------------------------------------------- regions

RgnHandle NewRgn();
void DisposeRgn(RgnHandle rgn);
void RectRgn(RgnHandle rgn, const Rect* r);
void SetRectRgn(RgnHandle rgn, short left, short top, short right, short bottom);
void SetEmptyRgn(RgnHandle rgn);
void CopyRgn(RgnHandle srcRgn, RgnHandle dstRgn);
void UnionRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
void SectRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
void DiffRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
void XorRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn);
void OffsetRgn(RgnHandle rgn, short dh, short dv);
void InsetRgn(RgnHandle rgn, short dh, short dv);
Boolean EmptyRgn(RgnHandle rgn);
Boolean PtInRgn(Point pt, RgnHandle rgn);
Boolean RectInRgn(const Rect* r, RgnHandle rgn);
Boolean EqualRgn(RgnHandle rgnA, RgnHandle rgnB);
Rect* GetRegionBounds(RgnHandle region, Rect* bounds);
Boolean IsRegionRectangular(RgnHandle region);

// --------------------------------------------------------------- rectangles

void SetRect(Rect* r, short left, short top, short right, short bottom);
void OffsetRect(Rect* r, short dh, short dv);
void InsetRect(Rect* r, short dh, short dv);
Boolean SectRect(const Rect* src1, const Rect* src2, Rect* dstRect);
void UnionRect(const Rect* src1, const Rect* src2, Rect* dstRect);
Boolean EqualRect(const Rect* rect1, const Rect* rect2);
Boolean EmptyRect(const Rect* r);
Boolean PtInRect(Point pt, const Rect* r);
void Pt2Rect(Point pt1, Point pt2, Rect* dstRect);
void SetPt(Point* pt, short h, short v);
Boolean EqualPt(Point pt1, Point pt2);
void AddPt(Point src, Point* dst);
void SubPt(Point src, Point* dst);

// ---------------------------------------------------------------------- text
// Strings are Mac OS Roman. Text is drawn from the pen location on the
// baseline and advances the pen; widths are the same whole-pixel advances the
// drawing uses. Underline is a line one pixel below the baseline.

void TextFont(short font);
void TextSize(short size);
void TextFace(StyleParameter face);
void TextMode(short mode);
void DrawString(ConstStr255Param s);
void DrawText(const void* textBuf, short firstByte, short byteCount);
void DrawChar(CharParameter ch);
short StringWidth(ConstStr255Param s);
short TextWidth(const void* textBuf, short firstByte, short byteCount);
short CharWidth(CharParameter ch);
void GetFontInfo(FontInfo* info);

// ------------------------------------------------------------------ pictures

struct Picture {
    SInt16 picSize; // low 16 bits of the size; unreliable for version 2
    Rect picFrame;
    // the opcode stream follows, big-endian
};
typedef Picture* PicPtr;
typedef PicPtr* PicHandle;

// A copy of 'PICT' resource id from the current resource chain, or nullptr.
PicHandle GetPicture(short pictureID);
// Plays the picture scaled from its picFrame into dstRect.
void DrawPicture(PicHandle picture, const Rect* dstRect);
void KillPicture(PicHandle picture);
Rect* QDGetPictureBounds(PicHandle picH, Rect* outRect);

// --------------------------------------------------------------- colour icons

struct CIcon; // opaque: decoded pixels and mask
typedef CIcon* CIconPtr;
typedef CIconPtr* CIconHandle;

// Decodes 'cicn' resource iconID from the current resource chain; nullptr if
// it is missing or malformed.
CIconHandle GetCIcon(short iconID);
// Draws the icon's pixels where its mask is set, scaled into theRect.
void PlotCIcon(const Rect* theRect, CIconHandle theIcon);
void DisposeCIcon(CIconHandle theIcon);

// ------------------------------------------------------------------- cursors

struct Cursor {
    UInt16 data[16];
    UInt16 mask[16];
    Point hotSpot;
};
typedef Cursor* CursPtr;
typedef CursPtr* CursHandle;

Cursor* GetQDGlobalsArrow(Cursor* arrow);

// Defined by the window host.
void InitCursor();
void SetCursor(const Cursor* crsr);
void HideCursor();
void ShowCursor();
void ObscureCursor();
// Shows at once what has been drawn in port (region: the part to show, or
// nullptr for all of it); used while tracking the mouse.
OSStatus QDFlushPortBuffer(CGrafPtr port, RgnHandle region);
