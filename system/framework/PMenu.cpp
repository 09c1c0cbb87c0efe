#include "framework/PMenu.h"

short menuID = 128;
PMenu* theMenu[128] = {};
const unsigned char appleMenuTitle[2] = {1, 0x14};

namespace {

constexpr short kFirstMenuID = 128;
constexpr short kMenuIDs = 128;

bool registered(short id)
{
    return id >= kFirstMenuID && id < kFirstMenuID + kMenuIDs;
}

} // namespace

PMenu::PMenu(const unsigned char* menuTitle)
    : myMenu(NewMenu(menuID, menuTitle))
    , myMenuID(menuID)
{
    InsertMenu(myMenu, 0);
    // The registry has room for IDs 128 to 255; a menu beyond that works but
    // its choices are not routed (rather than writing past the table).
    if (registered(myMenuID))
        theMenu[myMenuID - kFirstMenuID] = this;
    ++menuID;
}

PMenu::~PMenu()
{
    DeleteMenu(myMenuID);
    DisposeMenu(myMenu);
    if (registered(myMenuID) && theMenu[myMenuID - kFirstMenuID] == this)
        theMenu[myMenuID - kFirstMenuID] = nullptr;
}

void PMenu::addItem(const unsigned char* name)
{
    AppendMenu(myMenu, name);
}

void PMenu::enableItem(short item)
{
    EnableMenuItem(myMenu, MenuItemIndex(item));
}

void PMenu::disableItem(short item)
{
    DisableMenuItem(myMenu, MenuItemIndex(item));
}

void RouteMenuChoice(long menuResult)
{
    short id = short((unsigned long)(menuResult) >> 16);
    short item = short(menuResult & 0xFFFF);
    if (registered(id) && theMenu[id - kFirstMenuID])
        theMenu[id - kFirstMenuID]->handleMenuChoice(item);
}
