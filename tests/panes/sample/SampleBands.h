// The sample's bands: a collapsible band that holds any mix of controls and
// title frames, shows them when it opens and hides them when it closes (as
// the application's panes do), and a plain band. Both report their hooks.
#pragma once

#include <framework/PDinkSubPane.h>
#include <framework/PSubPane.h>

#include <memory>
#include <vector>

// One thing a band holds: a control, a radio group or a title frame.
class BandPart {
public:
    virtual ~BandPart() = default;
    virtual void show() { }
    virtual void hide() { }
    virtual void draw() = 0;
    virtual bool click(const EventRecord* theEvent) = 0;
};

// Set while one traced idle pass runs (the sample's "i" key).
extern bool gTraceIdle;

class SampleBand : public PDinkSubPane {
public:
    SampleBand(const unsigned char* title, unsigned long expandedHeight, PTabPane* tab, char dinked);
    ~SampleBand() override;

    // Adds a control (PCheckButton, PPushButton, PPopupMenu, PRadioGroup) or a
    // PTitleFrame; the band owns it. Returns it for further set-up.
    template<typename T> T* add(std::unique_ptr<T> part);

    void draw() override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void idle() override;
    void subPaneOpened() override;
    void subPaneClosed() override;

private:
    const unsigned char* name;
    std::vector<std::unique_ptr<BandPart>> parts;
};

class PlainBand : public PSubPane {
public:
    PlainBand(const unsigned char* text, unsigned long height, PTabPane* tab);
    void draw() override;
    void idle() override;

private:
    const unsigned char* text;
};

#include "SampleBandParts.h"

template<typename T> T* SampleBand::add(std::unique_ptr<T> part)
{
    T* raw = part.get();
    parts.push_back(MakeBandPart(std::move(part)));
    return raw;
}
