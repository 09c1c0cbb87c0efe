// Keeps the current port and its colours, pen and text settings for the
// length of a scope, so that the layer can draw its own parts (controls,
// dialog items) without disturbing the program's drawing state.
#pragma once

#include <Quickdraw.h>

namespace toolbox {

class SavedDrawingState {
public:
    // Saves the current port, makes `port` current and saves its state.
    explicit SavedDrawingState(GrafPtr port)
    {
        GetPort(&savedPort_);
        SetPort(port);
        GetForeColor(&fore_);
        GetBackColor(&back_);
        GetPenState(&pen_);
        font_ = GetPortTextFont(port);
        size_ = GetPortTextSize(port);
        face_ = GetPortTextFace(port);
    }
    ~SavedDrawingState()
    {
        RGBForeColor(&fore_);
        RGBBackColor(&back_);
        SetPenState(&pen_);
        TextFont(font_);
        TextSize(size_);
        TextFace(face_);
        SetPort(savedPort_);
    }
    SavedDrawingState(const SavedDrawingState&) = delete;
    SavedDrawingState& operator=(const SavedDrawingState&) = delete;

private:
    GrafPtr savedPort_ = nullptr;
    RGBColor fore_ {};
    RGBColor back_ {};
    PenState pen_ {};
    short font_ = 0;
    short size_ = 0;
    Style face_ = 0;
};

} // namespace toolbox
