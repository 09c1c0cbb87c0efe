// A horizontal band of a tab. The underscored operations are the framework's
// entry points and run with the port's origin at the band's top-left corner
// (the owning tab moves it there); subclasses override the plain hooks and
// work in band coordinates.
#pragma once

#include <Events.h>
#include <MacTypes.h>

class PTabPane;
class PWindow;

class PSubPane {
public:
    PSubPane(unsigned long height, PTabPane* tabPane);
    PSubPane(const PSubPane&) = delete;
    PSubPane& operator=(const PSubPane&) = delete;
    virtual ~PSubPane();
    virtual void _draw() { draw(); }
    virtual void _idle() { idle(); }
    virtual char _handleMouseDown(const EventRecord* theEvent) { return handleMouseDown(theEvent); }
    virtual char handleMouseDown(const EventRecord* theEvent);
    virtual void draw() { }
    virtual void idle() { }

    void changeSubPaneHeight(unsigned long newHeight);
    PWindow* getMyWindow();
    const Rect& getSubPaneRect() const { return subPaneRect; }

private:
    friend class PTabPane;
    friend struct PStructureDumper;

    PSubPane* next; // the band below
    Rect subPaneRect; // window coordinates with the origin at (0, 0)
    PTabPane* myTabPane;
};
