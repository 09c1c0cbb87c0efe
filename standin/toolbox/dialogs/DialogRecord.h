// The Dialog Manager's record of one dialog (or alert) and its items.
#pragma once

#include <Dialogs.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolbox {

struct DialogItem {
    DialogItemType type = userItem; // with itemDisable when disabled
    Rect box {};
    std::string text; // button titles and texts, Mac Roman
    short resourceID = 0; // icon and picture items
    ControlRef control = nullptr;
    Handle textHandle = nullptr; // static and edit texts: what GetDialogItem hands out

    DialogItemType kind() const { return static_cast<DialogItemType>(type & ~itemDisable); }
    bool enabled() const { return !(type & itemDisable); }
};

// A 'DITL' decoded; nothing when the data is malformed.
std::optional<std::vector<DialogItem>> parseItemList(const uint8_t* data, size_t size);

// What the window of a dialog or alert is made from.
struct DialogTemplate {
    Rect bounds {};
    short procID = dBoxProc;
    bool visible = true;
    short itemListID = 0;
    std::string title;
    uint16_t position = 0;
};

std::optional<DialogTemplate> parseDialogTemplate(const uint8_t* data, size_t size);

struct AlertTemplate {
    Rect bounds {};
    short itemListID = 0;
    uint16_t stages = 0;
    uint16_t position = 0;
};

std::optional<AlertTemplate> parseAlertTemplate(const uint8_t* data, size_t size);

} // namespace toolbox

struct OpaqueDialogPtr {
    WindowRef window = nullptr;
    std::vector<toolbox::DialogItem> items;
    DialogItemIndex defaultItem = 1;
    bool defaultRing = false; // drawn once SetDialogDefaultItem names the item
    DialogItemIndex cancelItem = 0;
    const char* logKind = "dialog"; // "dialog" or "alert", for the log
    short logID = 0;
    int iconKind = -1; // alerts: 0 stop, 1 note, 2 caution
};

namespace toolbox {

// Builds the dialog's window and items from a template and an item list;
// nullptr if the item list is missing or malformed.
DialogRef createDialog(const DialogTemplate& t, const char* logKind, short logID);

// The ParamText strings and their substitution into a text.
std::string substituteParams(const std::string& text);
const std::string& paramText(int index);

// The dialog created last that still exists, or nullptr.
DialogRef newestDialog();

// Redraws whatever part of the dialog's window needs it.
void updateDialog(DialogRef dialog);

// The record of dialogs and alerts shown (see Dialogs.h).
struct DialogLogEntry {
    std::string kind; // "dialog" or "alert"
    short id = 0;
    std::string params[4];
    short itemHit = 0; // 0 while still open
};
const std::vector<DialogLogEntry>& dialogLog();
void clearDialogLog();
void logDialogShown(const char* kind, short id);
void logDialogClosed(const char* kind, short id, short itemHit);

} // namespace toolbox
