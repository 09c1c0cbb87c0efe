// The one window of Tarnwick X: a tab manager over four tabs, "System
// Profile", "Tarnwick", "Other" and "Info". Its height follows the open
// sub-panes of the selected tab; closing it quits the application.
#pragma once

#include <framework/PTabManager.h>
#include <framework/PWindow.h>

class G3TarnwickWindow : public PDocWindow {
public:
    G3TarnwickWindow();
    void handleMouseDown(const EventRecord* theEvent) override;
    void handleClose() override;
    void draw() override;
    ~G3TarnwickWindow() override;
    virtual void idle();

    PTabManager theTabManager;
};
