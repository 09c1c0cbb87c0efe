// A titled groove frame showing a list of text lines, newest at the bottom;
// once it is full each new line scrolls the others up by one line and the
// oldest is dropped. Lines are 12 pixels apart in Geneva 9.
#pragma once

#include <MacTypes.h>

#include <memory>
#include <vector>

class PTitleFrame {
public:
    // Leaves the current port at Geneva 9 plain.
    PTitleFrame(short x1, short y1, short x2, short y2, const unsigned char* title);
    ~PTitleFrame();
    PTitleFrame(const PTitleFrame&) = delete;
    PTitleFrame& operator=(const PTitleFrame&) = delete;

    void draw();
    // Appends a copy of `text` as the newest line and draws the lines. A frame
    // too low to hold a line (under 15 pixels) ignores it.
    void drawText(const unsigned char* text);

private:
    using OwnedString = std::unique_ptr<unsigned char[]>;
    static OwnedString copyOf(const unsigned char* text);
    void drawLines();

    Rect myRect;
    unsigned long titleWidth; // of the title in Geneva 9 bold
    OwnedString myTitle;
    std::vector<OwnedString> myText; // numLines slots, oldest first
    unsigned long numLines;
    unsigned long bottomLine; // lines held
};
