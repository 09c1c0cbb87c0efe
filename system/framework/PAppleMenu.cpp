#include "framework/PAppleMenu.h"

#include "framework/PApplication.h"

#include <MacTypes.h>
#include <support/UtilityFunctions.h>

PAppleMenu::PAppleMenu(const unsigned char* appName)
    : PMenu(appleMenuTitle)
{
    unsigned char aboutItem[256];
    aboutItem[0] = 0;
    pstrcat(aboutItem, PSTR("About "));
    pstrcat(aboutItem, appName);
    pstrcat(aboutItem, PSTR("..."));
    addItem(aboutItem);
    addItem(PSTR("-"));
    AppendResMenu(myMenu, 'DRVR');
}

void PAppleMenu::handleMenuChoice(short item)
{
    if (item == 1 && runningApp)
        runningApp->about();
}

PAppleMenu::~PAppleMenu() = default;
