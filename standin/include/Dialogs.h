// Dialogs.h: the Dialog Manager: modal dialogs and alerts built from 'DLOG',
// 'ALRT' and 'DITL' resources.
//
// Provided: GetNewDialog, DisposeDialog, DrawDialog, ModalDialog, ParamText,
// SetDialogDefaultItem, SetDialogCancelItem, GetDialogItem,
// GetDialogItemAsControl, GetDialogItemText, SetDialogItemText, CountDITL,
// GetDialogWindow, GetDialogPort, GetDialogFromWindow, SetPortDialogPort,
// Alert, StopAlert, NoteAlert, CautionAlert, ResetAlertStage.
//
// Items: buttons, check boxes and radio buttons become controls of the
// dialog's window (in the system font); static texts are word-wrapped in
// their rectangle with ^0..^3 replaced by the ParamText strings at the moment
// they are drawn; icon items show the 'cicn' of that ID, or for IDs 0, 1 and
// 2 (stop, note, caution) the layer's own icons; picture items show the
// 'PICT'; user items and edit texts draw nothing.
//
// Behaviour worth knowing:
// - A dialog's window is a modal dialog box in front of every other window.
//   GetNewDialog leaves it hidden when the 'DLOG' says so; ShowWindow and
//   SelectWindow show it. Its position code (alert position, centred) places
//   it on the screen below the menu bar.
// - ModalDialog reads mouse and key events only (high-level events such as
//   quit stay queued for the program's own loop). Return and Enter hit the
//   default item (item 1 unless SetDialogDefaultItem says otherwise), Escape
//   and Command-period the cancel item if one was set. A press on an enabled
//   control is tracked and counts only when released inside; a press outside
//   the dialog beeps. Check boxes are not toggled: the program does that.
// - Alert and its three variants beep as the 'ALRT' stage says, show the alert
//   (the variants with the stop, note or caution icon at 20,10), wait for an
//   enabled item and return its number; -1 when the stage does not draw or the
//   resource is missing (a missing 'ALRT' also beeps once, and a missing
//   'ALRT' or 'DITL' is named in one line on standard error, and recorded
//   with the item -1).
// - Every dialog and alert shown is recorded. With MACSIM_LOG_DIALOGS=1 each
//   appears on standard error as one line:
//       alert 10001: <^0> | <^1> | <^2> | <^3>
//       dialog 130: <^0> | <^1> | <^2> | <^3>
//   and, when it closes, "alert 10001 -> 1" (the item hit).
//
// Simplifications: no modeless dialogs, no edit-text editing, no 'dctb'/'actb'
// colour tables, no 'CNTL' resource items; dStorage must be null.
#pragma once

#include <Controls.h>
#include <Events.h>
#include <MacTypes.h>
#include <MacWindows.h>
#include <Quickdraw.h>

struct OpaqueDialogPtr;
typedef OpaqueDialogPtr* DialogRef;
typedef DialogRef DialogPtr;
typedef SInt16 DialogItemIndex;
typedef SInt16 DialogItemType;
typedef SInt16 AlertType;

typedef Boolean (*ModalFilterProcPtr)(DialogRef theDialog, EventRecord* theEvent, DialogItemIndex* itemHit);
typedef ModalFilterProcPtr ModalFilterUPP;

enum : DialogItemType {
    userItem = 0,
    ctrlItem = 4,
    btnCtrl = 0,
    chkCtrl = 1,
    radCtrl = 2,
    resCtrl = 3,
    kButtonDialogItem = 4,
    kCheckBoxDialogItem = 5,
    kRadioButtonDialogItem = 6,
    statText = 8,
    kStaticTextDialogItem = 8,
    editText = 16,
    kEditTextDialogItem = 16,
    iconItem = 32,
    kIconDialogItem = 32,
    picItem = 64,
    kPictureDialogItem = 64,
    itemDisable = 128,
};

enum : DialogItemIndex {
    ok = 1,
    cancel = 2,
    kStdOkItemIndex = 1,
    kStdCancelItemIndex = 2,
};

enum : SInt16 {
    kStopIcon = 0,
    kNoteIcon = 1,
    kCautionIcon = 2,
};

// A dialog from 'DLOG' dialogID and its 'DITL'; nullptr if either is missing
// or malformed. behind: (WindowRef)-1 (in front of all) or any other value,
// which is treated the same way: dialogs always come in front.
DialogRef GetNewDialog(SInt16 dialogID, void* dStorage, WindowRef behind);
void DisposeDialog(DialogRef theDialog);
// Draws every item (as an update of the dialog's window would).
void DrawDialog(DialogRef theDialog);

// Handles events for the front dialog until an enabled item is hit; its
// number goes to *itemHit. filterProc (may be null) sees each event first.
void ModalDialog(ModalFilterUPP filterProc, DialogItemIndex* itemHit);

// The texts that replace ^0..^3 in static texts; a null argument leaves that
// text unchanged.
void ParamText(
    ConstStr255Param param0, ConstStr255Param param1, ConstStr255Param param2, ConstStr255Param param3);

// The item that Return and Enter hit, outlined with the default ring.
OSErr SetDialogDefaultItem(DialogRef theDialog, DialogItemIndex newItem);
// The item that Escape and Command-period hit.
OSErr SetDialogCancelItem(DialogRef theDialog, DialogItemIndex newItem);

// Item kind (with itemDisable), handle (the ControlRef for controls, a text
// handle for static and edit texts, else nullptr) and rectangle. Any output
// may be null. An item number out of range leaves the outputs untouched.
void GetDialogItem(
    DialogRef theDialog, DialogItemIndex itemNo, DialogItemType* itemType, Handle* item, Rect* box);
// The control of a button, check box or radio button item.
OSErr GetDialogItemAsControl(DialogRef inDialog, SInt16 inItemNo, ControlRef* outControl);
// Text of a static or edit text item handle (as GetDialogItem returns it).
void GetDialogItemText(Handle item, Str255 text);
void SetDialogItemText(Handle item, ConstStr255Param text);
DialogItemIndex CountDITL(DialogRef theDialog);

WindowRef GetDialogWindow(DialogRef dialog);
CGrafPtr GetDialogPort(DialogRef dialog);
// The dialog whose window this is, or nullptr.
DialogRef GetDialogFromWindow(WindowRef window);
void SetPortDialogPort(DialogRef dialog);

DialogItemIndex Alert(SInt16 alertID, ModalFilterUPP modalFilter);
DialogItemIndex StopAlert(SInt16 alertID, ModalFilterUPP modalFilter);
DialogItemIndex NoteAlert(SInt16 alertID, ModalFilterUPP modalFilter);
DialogItemIndex CautionAlert(SInt16 alertID, ModalFilterUPP modalFilter);
void ResetAlertStage();
