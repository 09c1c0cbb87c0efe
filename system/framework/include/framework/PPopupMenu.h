// A pop-up menu in the window's font, its items from a 'MENU' resource.
// handleClick runs every time the menu tracking ends on an item, also the
// item already shown: the subclass compares getSelectedItem() with its own
// record.
#pragma once

#include <framework/PStandardControl.h>

class PPopupMenu : public PStandardControl {
public:
    PPopupMenu(short x1, short y1, short x2, short y2, const unsigned char* title, long menuID,
        unsigned long selectedItem);
    virtual ~PPopupMenu();
    virtual void handleClick() { }

    void setTitle(const unsigned char* title);
    void selectItem(unsigned long item); // no hook
    unsigned long getSelectedItem(); // items from 1
    void setItemText(unsigned long item, const unsigned char* text);
    void enableItem(short item);
    void disableItem(short item);

    // True when the menu tracking reported a hit.
    char handleMouseDown(const EventRecord* theEvent);
};
