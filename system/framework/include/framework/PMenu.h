// A menu in the menu bar that routes its choices to itself: each PMenu takes
// the next menu ID and registers itself under it, so the event loop finds the
// object for a menu result by its ID.
#pragma once

#include <Menus.h>

class PMenu {
public:
    explicit PMenu(const unsigned char* menuTitle);
    virtual void handleMenuChoice(short item) = 0;
    virtual ~PMenu();

    PMenu(const PMenu&) = delete;
    PMenu& operator=(const PMenu&) = delete;

    // AppendMenu: "-" alone is a divider, "/c" gives the command key c.
    void addItem(const unsigned char* name);
    void enableItem(short item);
    void disableItem(short item);

protected:
    MenuHandle myMenu;
    short myMenuID;
};

// The ID the next PMenu takes: 128 at start, never reused.
extern short menuID;
// The live PMenu of each menu ID, at index ID - 128.
extern PMenu* theMenu[128];
// The Apple menu's title: the one character 0x14.
extern const unsigned char appleMenuTitle[2];

// Calls the registered menu's handleMenuChoice for a MenuSelect or MenuKey
// result (ID in the high 16 bits, item in the low 16 bits); a result whose
// menu is not registered is dropped.
void RouteMenuChoice(long menuResult);
