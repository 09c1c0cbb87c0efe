// The screen as the Window Manager sees it: the menu bar strip at the top,
// the desktop below it, and the windows stacked front to back on the desktop.
// After every change of order, visibility, position or size, the stack sets
// each window's visible region and repaints the areas that came to light:
// desktop, frames, and window content (erased and added to the update region).
#pragma once

#include <MacWindows.h>

#include "quickdraw/Region.h"

#include <vector>

namespace toolbox {

class Desktop {
public:
    // Paints the desktop and the empty menu bar the first time.
    void ensureDrawn();
    // The screen below the menu bar.
    static Region grayRegion();
    RgnHandle grayRgnHandle();

    const std::vector<WindowRef>& frontToBack() const { return order_; }
    bool contains(WindowRef w) const;
    // behind: (WindowRef)-1 in front of all, nullptr behind all, else behind it.
    void insert(WindowRef w, WindowRef behind);
    void remove(WindowRef w);
    void bringToFront(WindowRef w);
    WindowRef frontVisible() const;

    // The part of w's structure showing on the screen (none if hidden).
    Region visibleStructure(WindowRef w) const;
    // Sets visible regions and repaints `exposed`. Content uncovered there is
    // erased and invalidated, except noInvalidate's (SizeWindow without update).
    void recomposite(const Region& exposed, WindowRef noInvalidate = nullptr);
    // Highlights the front window only, redrawing frames that change.
    void updateHighlight();
    // Redraws w's frame where it shows.
    void redrawFrame(WindowRef w);

private:
    void paintDesktop(const Region& area);
    void eraseContent(WindowRef w, const Region& area);

    std::vector<WindowRef> order_;
    RgnHandle grayRgn_ = nullptr;
    bool drawn_ = false;
};

Desktop& desktop();

} // namespace toolbox
