// MacWindows.h: the Window Manager. Windows lie front to back on the 640x480
// screen below the 20-pixel menu bar; global coordinates are screen
// coordinates.
//
// Provided: NewCWindow, DisposeWindow, ShowWindow, HideWindow,
// IsWindowVisible, SelectWindow, BringToFront, FrontWindow, FrontNonFloatingWindow,
// GetNextWindow, FindWindow, DragWindow, MoveWindow, SizeWindow, TrackGoAway,
// TrackBox, SetPortWindowPort, GetWindowPort, GetWindowFromPort,
// GetWindowPortBounds, GetWindowBounds, SetWRefCon, GetWRefCon, SetWTitle,
// GetWTitle, InvalWindowRect, InvalWindowRgn, ValidWindowRect, ValidWindowRgn,
// BeginUpdate, EndUpdate, GetGrayRgn, GetWindowKind, IsWindowHilited.
//
// Window kinds (procID): documentProc 0 and zoomDocProc 8 (with size box),
// noGrowDocProc 4 and zoomNoGrow 12 (without), dBoxProc 1, plainDBox 2,
// altDBoxProc 3 (shadowed box) and movableDBoxProc 5 (title bar, no close
// box). rDocProc is drawn as a document window.
//
// Simplifications:
// - wStorage must be null: the layer allocates every window.
// - The desktop is one screen; the gray region is the screen below the menu bar.
// - No activate events: the front window is drawn highlighted, the others not.
// - Invalidated areas uncovered by moving, hiding or resizing windows are
//   erased to white before the update event arrives.
// - The zoom box is drawn and found (inZoomIn/inZoomOut) but zooming is the
//   program's business; the size box is drawn and found, GrowWindow is absent.
#pragma once

#include <MacTypes.h>
#include <Quickdraw.h>

struct OpaqueWindowPtr;
typedef OpaqueWindowPtr* WindowRef;
typedef WindowRef WindowPtr;
typedef SInt16 WindowPartCode;
typedef UInt16 WindowRegionCode;

enum : WindowPartCode {
    inDesk = 0,
    inNoWindow = 0,
    inMenuBar = 1,
    inSysWindow = 2,
    inContent = 3,
    inDrag = 4,
    inGrow = 5,
    inGoAway = 6,
    inZoomIn = 7,
    inZoomOut = 8,
};

enum : SInt16 {
    documentProc = 0,
    dBoxProc = 1,
    plainDBox = 2,
    altDBoxProc = 3,
    noGrowDocProc = 4,
    movableDBoxProc = 5,
    zoomDocProc = 8,
    zoomNoGrow = 12,
    rDocProc = 16,
};

enum : SInt16 {
    dialogKind = 2,
    userKind = 8,
};

enum : WindowRegionCode {
    kWindowTitleBarRgn = 0,
    kWindowTitleTextRgn = 1,
    kWindowCloseBoxRgn = 2,
    kWindowZoomBoxRgn = 3,
    kWindowDragRgn = 5,
    kWindowGrowRgn = 6,
    kWindowStructureRgn = 32,
    kWindowContentRgn = 33,
    kWindowUpdateRgn = 34,
};

enum : OSStatus {
    errWindowRegionCodeInvalid = -5601,
};

// Passed as `behind` to put the new window in front of all others.
#define kFirstWindowOfClass ((WindowRef)-1)

// boundsRect is the content rectangle in global coordinates. behind: the
// window to place it behind, (WindowRef)-1 for in front of all, nullptr for
// behind all.
WindowRef NewCWindow(void* wStorage, const Rect* boundsRect, ConstStr255Param title, Boolean visible,
    short procID, WindowRef behind, Boolean goAwayFlag, long refCon);
void DisposeWindow(WindowRef window);
void ShowWindow(WindowRef window);
void HideWindow(WindowRef window);
Boolean IsWindowVisible(WindowRef window);
// Brings the window to the front and highlights it.
void SelectWindow(WindowRef window);
void BringToFront(WindowRef window);
// The frontmost visible window, or nullptr.
WindowRef FrontWindow();
WindowRef FrontNonFloatingWindow();
// The window behind this one (visible or not), or nullptr.
WindowRef GetNextWindow(WindowRef window);

// The part of the screen under thePoint (global) and the window it belongs to.
WindowPartCode FindWindow(Point thePoint, WindowRef* window);
// Follows the mouse with an outline of the window while the button is held,
// then moves the window there. The mouse is kept inside boundsRect.
void DragWindow(WindowRef window, Point startPt, const Rect* boundsRect);
// Moves the content's top-left corner to (hGlobal, vGlobal).
void MoveWindow(WindowRef window, short hGlobal, short vGlobal, Boolean front);
// Changes the content size; with fUpdate, newly shown content is invalidated.
void SizeWindow(WindowRef window, short w, short h, Boolean fUpdate);
// True when the button is released inside the close box (highlighted while the mouse is in it).
Boolean TrackGoAway(WindowRef window, Point thePt);
Boolean TrackBox(WindowRef window, Point thePt, WindowPartCode partCode);

void SetPortWindowPort(WindowRef window);
CGrafPtr GetWindowPort(WindowRef window);
WindowRef GetWindowFromPort(CGrafPtr port);
Rect* GetWindowPortBounds(WindowRef window, Rect* bounds);
// Global bounds of the structure (frame and all) or the content.
OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* globalBounds);
void SetWRefCon(WindowRef window, long data);
long GetWRefCon(WindowRef window);
void SetWTitle(WindowRef window, ConstStr255Param title);
void GetWTitle(WindowRef window, Str255 title);
short GetWindowKind(WindowRef window);
Boolean IsWindowHilited(WindowRef window);

// Rectangles and regions in the window's local coordinates.
OSStatus InvalWindowRect(WindowRef window, const Rect* bounds);
OSStatus InvalWindowRgn(WindowRef window, RgnHandle region);
OSStatus ValidWindowRect(WindowRef window, const Rect* bounds);
OSStatus ValidWindowRgn(WindowRef window, RgnHandle region);
// Restricts drawing in the window to its update region and empties it;
// EndUpdate lifts the restriction.
void BeginUpdate(WindowRef window);
void EndUpdate(WindowRef window);

// The desktop: the screen below the menu bar.
RgnHandle GetGrayRgn();
