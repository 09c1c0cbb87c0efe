// The sample window's two tabs. "Every Kind" has a band for check boxes, push
// buttons and radio buttons, enabled and dimmed, and one with a title frame
// (pop-ups are the application's: its tests drive them); "Bands" exercises
// opening and closing: a collapsed band of 169 pixels, a band that starts
// open, a plain band and a last band.
#pragma once

#include <framework/PTabPane.h>

class PTitleFrame;
class SampleBand;

class ControlsTab : public PTabPane {
public:
    explicit ControlsTab(PTabManager* manager);
    SampleBand* frameBand;
    PTitleFrame* frame;
};

class BandsTab : public PTabPane {
public:
    explicit BandsTab(PTabManager* manager);
};
