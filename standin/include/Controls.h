// Controls.h: the Control Manager: push buttons, check boxes, radio buttons
// and pop-up menus in a window.
//
// Provided: NewControl, DisposeControl, KillControls, ShowControl,
// HideControl, IsControlVisible, IsControlActive, HiliteControl,
// GetControlHilite, Draw1Control, DrawControls, MoveControl, SizeControl,
// GetControlBounds, SetControlTitle, GetControlTitle, GetControlValue,
// SetControlValue, GetControlMinimum, SetControlMinimum, GetControlMaximum,
// SetControlMaximum, SetControlReference, GetControlReference,
// GetControlOwner, TestControl, FindControl, TrackControl,
// GetControlPopupMenuHandle, GetControlPopupMenuID.
//
// Kinds (procID): pushButProc 0, checkBoxProc 1, radioButProc 2 and
// popupMenuProc 1008, each optionally + useWFont 8 (pop-ups: popupUseWFont),
// i.e. 8, 9, 10 and 1016 for the window's font. Any other procID gives no
// control (nullptr).
//
// Behaviour worth knowing:
// - Rectangles are in the owning window's local coordinates as they stand
//   when a call is made: drawing and hit-testing use the port's origin in force
//   at that moment, so a control given coordinates under a moved origin must be
//   drawn and tested under that same origin.
// - Titles without useWFont use the system font (bold 12); with it, the
//   port's font, size and face at the time of drawing.
// - HiliteControl 255 dims the control: it is drawn grey and TestControl,
//   FindControl and TrackControl ignore it. 0 makes it active again.
// - Values are pinned to [minimum, maximum]. TrackControl does not change a
//   check box's or radio button's value: the program does.
// - A pop-up is created with minimum = the ID of its 'MENU' resource (taken
//   from the resource chain with GetMenu, or the inserted menu of that ID) and
//   maximum = the width of its title area (0: no title). Afterwards, as on a
//   Mac, the minimum reads 1, the maximum the number of items and the value
//   (the item shown) 1; GetControlPopupMenuID gives the menu's ID. The menu is
//   inserted among the pop-up menus (InsertMenu with -1) for the control's life.
// - TrackControl on a pop-up (actionProc -1 or nullptr) shows the menu with
//   the current item over the control (PopUpMenuSelect); choosing an enabled
//   item sets the value and returns kControlMenuPart, even when it is the item
//   already shown; anything else returns 0 and changes nothing.
// - Push buttons, check boxes and radio buttons track with live feedback while
//   the button is held (the port's buffer is flushed on each change); the part
//   is returned when released inside, else 0.
//
// Simplifications: no scroll bars or other kinds, no control definition
// resources ('CNTL', 'CDEF'), no action procedures for the standard kinds
// (actionProc is ignored), no keyboard focus. Reference constants are as wide
// as a pointer.
#pragma once

#include <MacTypes.h>
#include <MacWindows.h>
#include <Menus.h>
#include <Quickdraw.h>

struct OpaqueControlRef;
typedef OpaqueControlRef* ControlRef;
typedef ControlRef ControlHandle;
typedef SInt16 ControlPartCode;
typedef void (*ControlActionProcPtr)(ControlRef theControl, ControlPartCode partCode);
typedef ControlActionProcPtr ControlActionUPP;

enum : SInt16 {
    pushButProc = 0,
    checkBoxProc = 1,
    radioButProc = 2,
    useWFont = 8,
    popupMenuProc = 1008,
    popupFixedWidth = 1,
    popupUseAddResMenu = 4,
    popupUseWFont = 8,
};

enum : ControlPartCode {
    kControlNoPart = 0,
    kControlLabelPart = 1,
    kControlMenuPart = 2,
    kControlButtonPart = 10,
    kControlCheckBoxPart = 11,
    kControlRadioButtonPart = 11,
    inButton = 10,
    inCheckBox = 11,
    kControlDisabledPart = 254,
    kControlInactivePart = 255,
};

enum : SInt16 {
    kControlCheckBoxUncheckedValue = 0,
    kControlCheckBoxCheckedValue = 1,
    kControlCheckBoxMixedValue = 2,
    kControlRadioButtonUncheckedValue = 0,
    kControlRadioButtonCheckedValue = 1,
};

// Creates a control in owningWindow (nullptr when the kind is unknown, the
// window is null, or a pop-up's menu cannot be found).
ControlRef NewControl(WindowRef owningWindow, const Rect* boundsRect, ConstStr255Param controlTitle,
    Boolean initiallyVisible, SInt16 initialValue, SInt16 minimumValue, SInt16 maximumValue, SInt16 procID,
    long controlReference);
// Erases the control from its window (if visible) and frees it.
void DisposeControl(ControlRef theControl);
// Disposes of every control of the window.
void KillControls(WindowRef theWindow);

void ShowControl(ControlRef theControl);
void HideControl(ControlRef theControl);
Boolean IsControlVisible(ControlRef inControl);
Boolean IsControlActive(ControlRef inControl);
// 0: active; 255 (kControlInactivePart): dimmed; a part code: that part drawn pressed.
void HiliteControl(ControlRef theControl, ControlPartCode hiliteState);
UInt16 GetControlHilite(ControlRef inControl);

// Draws the control now (if visible) in its window's port.
void Draw1Control(ControlRef theControl);
// Draws every visible control of the window, oldest first.
void DrawControls(WindowRef theWindow);

// Moves the control's top-left corner to (h, v); a visible control is erased
// from its old place and drawn at the new one.
void MoveControl(ControlRef theControl, SInt16 h, SInt16 v);
void SizeControl(ControlRef theControl, SInt16 w, SInt16 h);
Rect* GetControlBounds(ControlRef control, Rect* bounds);

void SetControlTitle(ControlRef theControl, ConstStr255Param title);
void GetControlTitle(ControlRef theControl, Str255 title);

SInt16 GetControlValue(ControlRef theControl);
void SetControlValue(ControlRef theControl, SInt16 newValue);
SInt16 GetControlMinimum(ControlRef theControl);
void SetControlMinimum(ControlRef theControl, SInt16 newMinimum);
SInt16 GetControlMaximum(ControlRef theControl);
void SetControlMaximum(ControlRef theControl, SInt16 newMaximum);

void SetControlReference(ControlRef theControl, long data);
long GetControlReference(ControlRef theControl);
WindowRef GetControlOwner(ControlRef inControl);

// The part of the control under testPoint (local), 0 if none or if the
// control is invisible or dimmed.
ControlPartCode TestControl(ControlRef theControl, Point testPoint);
// The frontmost visible, active control of theWindow under thePoint (local):
// its part, with the control in *theControl; 0 and nullptr if none.
ControlPartCode FindControl(Point testPoint, WindowRef theWindow, ControlRef* theControl);
// Follows the mouse from startPoint (local) until the button is released;
// the part released in, or 0 (see above).
ControlPartCode TrackControl(ControlRef theControl, Point startPoint, ControlActionUPP actionProc);

// The pop-up's menu, or nullptr for other kinds.
MenuRef GetControlPopupMenuHandle(ControlRef control);
short GetControlPopupMenuID(ControlRef control);
