// The row of tabs over a framed pane that fills a window. The manager owns
// the tabs, left to right; exactly one is active once the first is added.
// The window's height follows the active tab: the sum of its band heights
// plus 32 pixels. The window passes its content clicks, update drawing and
// idle calls here.
#pragma once

#include <Events.h>
#include <MacTypes.h>

class PTabPane;
class PWindow;

class PTabManager {
public:
    explicit PTabManager(PWindow* w);
    ~PTabManager();
    PTabManager(const PTabManager&) = delete;
    PTabManager& operator=(const PTabManager&) = delete;

    // Port height becomes height + 32; the present width stays.
    void sizeWindow(long height);
    // Port height grows (or shrinks) by delta.
    void resizeWindow(long delta);
    // Makes tab `index` (from 0) the active one; an index with no tab leaves
    // every tab inactive.
    void selectPane(long index);

    char handleMouseDown(const EventRecord* theEvent);
    void draw();
    void idle();

private:
    friend class PTabPane;
    friend struct PStructureDumper;

    void _addTabPane(PTabPane* tab);
    void _drawPaneBorder();
    void computePaneRect();
    void activateOnly(PTabPane* chosen);

    PWindow* myWindow; // not owned
    PTabPane* paneList; // leftmost tab, owned
    unsigned long farRight; // right edge of the last tab
    Rect paneRect; // frame around the tab content
};
