#include "G3TarnwickWindow.h"

#include "G3TarnwickApp.h"
#include "InfoPane.h"
#include "OtherPane.h"
#include "SystemProfilePane.h"
#include "TarnwickPane.h"

// 370 by 32 pixels, the height of an empty tab; the tabs' sub-panes grow it.
G3TarnwickWindow::G3TarnwickWindow()
    : PDocWindow(150, 60, 520, 92, PSTR("Tarnwick X"), true, false)
    , theTabManager(this)
{
    // The manager owns the tabs; they stand left to right in creation order.
    new SystemProfilePane(&theTabManager);
    new TarnwickPane(&theTabManager);
    new OtherPane(&theTabManager);
    new InfoPane(&theTabManager);
}

G3TarnwickWindow::~G3TarnwickWindow() = default;

void G3TarnwickWindow::handleMouseDown(const EventRecord* theEvent)
{
    theTabManager.handleMouseDown(theEvent);
}

void G3TarnwickWindow::handleClose()
{
    app->quit();
}

void G3TarnwickWindow::draw()
{
    theTabManager.draw();
}

void G3TarnwickWindow::idle()
{
    theTabManager.idle();
}
