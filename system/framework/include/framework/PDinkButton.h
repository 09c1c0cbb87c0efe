// The disclosure triangle with a title that heads a collapsible sub-pane.
// Collapsed it points right (8 by 12 pixels), expanded it points down (12 by
// 8); a completed click flips it, a press released outside leaves it as it
// was. The four triangle icons are shared by all buttons.
#pragma once

#include <Events.h>
#include <Quickdraw.h>

class PWindow;

class PDinkButton {
public:
    PDinkButton(
        unsigned long x, unsigned long y, const unsigned char* myTitle, PWindow* theWindow, char isDinked);
    PDinkButton(const PDinkButton&) = delete;
    PDinkButton& operator=(const PDinkButton&) = delete;
    virtual ~PDinkButton();
    virtual void draw();
    // True for any press on the triangle, released inside or not; read
    // isDinked() for the state afterwards.
    virtual char handleMouseDown(const EventRecord* theEvent);

    void move(unsigned long x, unsigned long y) { (void)x, (void)y; }
    char isDinked() const { return dinked; }
    const unsigned char* getTitle() const { return title; }

private:
    void plotState(bool pressed); // the current state's icon in its rectangle

    PWindow* myWindow; // flushed while tracking
    Rect dinkedRightRect;
    Rect dinkedDownRect;
    char dinked; // expanded
    const unsigned char* title; // not owned
};
