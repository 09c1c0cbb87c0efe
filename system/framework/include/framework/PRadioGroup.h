// A group of radio buttons of which at most one is on. The group has no
// selection until its default button is added or selectItem is called; the
// default button is selected the moment it is added. Every completed click on
// a button, also on the one already selected, reaches handleSelection.
#pragma once

#include <Events.h>

class PRadioButton;

class PRadioGroup {
public:
    static constexpr unsigned long kNoSelection = 0xFFFFFFFF;

    explicit PRadioGroup(unsigned long defaultSelection);
    PRadioGroup(const PRadioGroup&) = delete;
    PRadioGroup& operator=(const PRadioGroup&) = delete;
    virtual void handleSelection(unsigned long item) { (void)item; }
    virtual ~PRadioGroup();

    void addButton(short x1, short y1, short x2, short y2, const unsigned char* name);
    // Turns button `item` on and all others off; an item past the last
    // button turns all off and is still stored.
    void selectItem(unsigned long item, char callHandleSelection);
    unsigned long getSelectedItem() const { return selectedItem; }

    // Applied to every button, in the order they were added.
    void enable();
    void disable();
    void draw();
    void showControl();
    void hideControl();

    // True when a button took the click (released inside it).
    char handleMouseDown(const EventRecord* theEvent);

private:
    PRadioButton* list;
    unsigned long defaultItem;
    unsigned long selectedItem;
};
