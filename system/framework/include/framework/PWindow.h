// A window of the framework. The platform window's reference constant is the
// object, so the event loop finds it from a WindowRef; the loop hands it
// clicks in its content, title bar and close box, keys, and updates.
#pragma once

#include <Events.h>
#include <MacWindows.h>

class PWindow {
public:
    // Bounds are global: left x1, top y1, right x2, bottom y2. The window
    // opens in front, its port current, in Geneva 9.
    PWindow(short x1, short y1, short x2, short y2, short procID, const unsigned char* title, char goAway);
    virtual void handleMouseDown(const EventRecord* theEvent);
    virtual void handleKeyDown(char);
    virtual void handleClose();
    virtual void handleZoom();
    virtual void handleGrow(short, short);
    virtual void draw();
    virtual ~PWindow();

    PWindow(const PWindow&) = delete;
    PWindow& operator=(const PWindow&) = delete;

    // For the event loop: part is the FindWindow part code (3 to 6).
    void _handleMouseDown(const EventRecord* theEvent, short clickType);
    void setBounds(short, short, short, short);
    void setPort();
    void select();
    void portRect(Rect* r);
    void invalRect(Rect* r);
    void flushPortBuffer();

    // The live PWindow whose platform window this is, or null (a window the
    // framework did not make, such as a dialog).
    static PWindow* fromWindow(WindowRef window);

protected:
    WindowRef myWindow;
};

// A document window without size box (procID 4).
class PDocWindow : public PWindow {
public:
    PDocWindow(short x1, short y1, short x2, short y2, const unsigned char* title, char hasGoAway, char);
};
