// Adapters that let a SampleBand treat controls, radio groups and title
// frames alike.
#pragma once

#include <framework/PRadioGroup.h>
#include <framework/PTitleFrame.h>

#include <memory>

template<typename Control> class ControlPart : public BandPart {
public:
    explicit ControlPart(std::unique_ptr<Control> control)
        : control(std::move(control))
    {
    }
    void show() override { control->showControl(); }
    void hide() override { control->hideControl(); }
    void draw() override { control->draw(); }
    bool click(const EventRecord* theEvent) override { return control->handleMouseDown(theEvent); }

private:
    std::unique_ptr<Control> control;
};

class FramePart : public BandPart {
public:
    explicit FramePart(std::unique_ptr<PTitleFrame> frame)
        : frame(std::move(frame))
    {
    }
    void draw() override { frame->draw(); }
    bool click(const EventRecord*) override { return false; }

private:
    std::unique_ptr<PTitleFrame> frame;
};

template<typename Control> std::unique_ptr<BandPart> MakeBandPart(std::unique_ptr<Control> control)
{
    return std::make_unique<ControlPart<Control>>(std::move(control));
}

inline std::unique_ptr<BandPart> MakeBandPart(std::unique_ptr<PTitleFrame> frame)
{
    return std::make_unique<FramePart>(std::move(frame));
}
