#include "SampleControls.h"

#include "SampleLog.h"

SampleCheckBox::SampleCheckBox(
    short x1, short y1, short x2, short y2, const unsigned char* title, char checked)
    : PCheckButton(x1, y1, x2, y2, title, checked)
    , name(title)
{
}

void SampleCheckBox::handleSelection()
{
    LogHook("handleSelection " + Quoted(name) + " value=" + std::to_string(getControlValue()));
}

void SampleCheckBox::handleDeselection()
{
    LogHook("handleDeselection " + Quoted(name) + " value=" + std::to_string(getControlValue()));
}

SamplePushButton::SamplePushButton(short x1, short y1, short x2, short y2, const unsigned char* title)
    : PPushButton(x1, y1, x2, y2, title)
    , name(title)
{
}

void SamplePushButton::handleClick()
{
    LogHook("handleClick " + Quoted(name));
}

SampleRadioGroup::SampleRadioGroup(const char* name, unsigned long defaultSelection)
    : PRadioGroup(defaultSelection)
    , name(name)
{
}

void SampleRadioGroup::handleSelection(unsigned long item)
{
    LogHook(std::string("handleSelection group \"") + name + "\" item=" + std::to_string(item));
}
