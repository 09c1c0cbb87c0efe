// One tab of a PTabManager: a title drawn as a tab from three pictures (left
// cap, stretched middle, right cap) and a stack of bands (PSubPane) that
// touch without gaps from the top of the pane. Only the active tab's bands
// are drawn, idled and offered clicks; the framework moves the port's origin
// to a band's corner for each call into it and back to (0, 0) afterwards.
#pragma once

#include <Events.h>
#include <MacTypes.h>

class PSubPane;
class PTabManager;
class PWindow;

class PTabPane {
public:
    // `title` is not copied: it must outlive the tab. A subclass creates its
    // bands after this, top to bottom.
    PTabPane(const unsigned char* title, PTabManager* tabManager);
    PTabPane(const PTabPane&) = delete;
    PTabPane& operator=(const PTabPane&) = delete;
    virtual ~PTabPane();

    PWindow* getMyWindow();

    // Framework entry points (the manager's and the bands').
    void _setLeft(unsigned long left);
    void _activate();
    void _deactivate();
    void _addSubPane(PSubPane* band, unsigned long height);
    void _changeSubPaneHeight(PSubPane* band, unsigned long newHeight);
    char _handleMouseDown(const EventRecord* theEvent);
    void _draw();
    void _drawTab(); // unpressed, flushed at once
    void _drawTabHilited(); // pressed, flushed at once
    void _idle();

private:
    friend class PTabManager;
    friend struct PStructureDumper;

    unsigned long totalBandHeight() const;
    void drawTabPictures(int pictureSet);
    void drawTitle();

    PTabPane* next; // the tab to the right
    PSubPane* subPaneList; // top band, owned
    const unsigned char* title;
    Rect titleRect;
    char active;
    PTabManager* myTabManager;
};
