// The sample's one window: a document window 370 pixels wide, as the
// application's, with a tab manager and two tabs. Keys drive what a script
// cannot reach by clicking:
//   d        print the window's structure
//   0 to 9   selectPane with that index
//   t        add a line to the title frame
//   i        one idle pass, reporting which bands receive idle()
#pragma once

#include <framework/PTabManager.h>
#include <framework/PWindow.h>

class ControlsTab;

class SampleWindow : public PDocWindow {
public:
    SampleWindow();
    ~SampleWindow() override;

    void handleMouseDown(const EventRecord* theEvent) override;
    void handleKeyDown(char key) override;
    void handleClose() override;
    void draw() override;
    void idle();

private:
    void addTitleFrameLine();

    PTabManager theTabManager;
    ControlsTab* controlsTab;
    int linesAdded = 0;
};
