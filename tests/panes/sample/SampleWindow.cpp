#include "SampleWindow.h"

#include "SampleBands.h"
#include "SampleLog.h"
#include "SampleTabs.h"

#include <framework/PApplication.h>
#include <framework/PPortStateSaver.h>
#include <framework/PStructureDump.h>
#include <framework/PTitleFrame.h>

#include <support/UtilityFunctions.h>
#include <testkit/PString.h>

SampleWindow::SampleWindow()
    : PDocWindow(150, 60, 520, 92, PSTR("Panes Sample"), true, false)
    , theTabManager(this)
    , controlsTab(new ControlsTab(&theTabManager))
{
    new BandsTab(&theTabManager);
}

SampleWindow::~SampleWindow() = default;

void SampleWindow::handleMouseDown(const EventRecord* theEvent)
{
    theTabManager.handleMouseDown(theEvent);
}

void SampleWindow::handleKeyDown(char key)
{
    if (key == 'd') {
        LogLine(DumpWindowStructure(this, &theTabManager) + "--");
    } else if (key >= '0' && key <= '9') {
        LogLine(std::string("selectPane ") + key);
        theTabManager.selectPane(key - '0');
    } else if (key == 't') {
        addTitleFrameLine();
    } else if (key == 'i') {
        LogLine("idle pass");
        gTraceIdle = true;
        theTabManager.idle();
        gTraceIdle = false;
    }
}

void SampleWindow::addTitleFrameLine()
{
    const testkit::PString line = testkit::pstr("Line " + std::to_string(++linesAdded));
    // The frame lives in band coordinates, as it would inside a hook.
    setPort();
    PPortStateSaver saver;
    SetOriginToCorner(controlsTab->frameBand->getSubPaneRect());
    controlsTab->frame->drawText(line.c_str());
}

void SampleWindow::handleClose()
{
    runningApp->quit();
}

void SampleWindow::draw()
{
    theTabManager.draw();
}

void SampleWindow::idle()
{
    theTabManager.idle();
}
