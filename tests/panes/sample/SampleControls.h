// The sample's controls: each reports its hooks.
#pragma once

#include <framework/PCheckButton.h>
#include <framework/PPushButton.h>
#include <framework/PRadioGroup.h>

class SampleCheckBox : public PCheckButton {
public:
    SampleCheckBox(short x1, short y1, short x2, short y2, const unsigned char* title, char checked);
    void handleSelection() override;
    void handleDeselection() override;

private:
    const unsigned char* name;
};

class SamplePushButton : public PPushButton {
public:
    SamplePushButton(short x1, short y1, short x2, short y2, const unsigned char* title);
    void handleClick() override;

private:
    const unsigned char* name;
};

class SampleRadioGroup : public PRadioGroup {
public:
    SampleRadioGroup(const char* name, unsigned long defaultSelection);
    void handleSelection(unsigned long item) override;

private:
    const char* name;
};
