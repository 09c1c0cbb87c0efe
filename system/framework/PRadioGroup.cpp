#include <framework/PRadioGroup.h>

#include <framework/PRadioButton.h>

PRadioGroup::PRadioGroup(unsigned long defaultSelection)
    : list(nullptr)
    , defaultItem(defaultSelection)
    , selectedItem(kNoSelection)
{
}

PRadioGroup::~PRadioGroup()
{
    while (list) {
        PRadioButton* doomed = list;
        list = list->next;
        delete doomed;
    }
}

void PRadioGroup::addButton(short x1, short y1, short x2, short y2, const unsigned char* name)
{
    auto* button = new PRadioButton(x1, y1, x2, y2, name);
    unsigned long number = 0;
    PRadioButton** link = &list;
    while (*link) {
        link = &(*link)->next;
        ++number;
    }
    *link = button;
    if (selectedItem == kNoSelection && number == defaultItem)
        selectItem(defaultItem, false);
}

void PRadioGroup::selectItem(unsigned long item, char callHandleSelection)
{
    unsigned long number = 0;
    for (PRadioButton* button = list; button; button = button->next, ++number) {
        if (number == item)
            button->select();
        else
            button->deselect();
    }
    selectedItem = item;
    if (callHandleSelection)
        handleSelection(item);
}

void PRadioGroup::enable()
{
    for (PRadioButton* button = list; button; button = button->next)
        button->enable();
}

void PRadioGroup::disable()
{
    for (PRadioButton* button = list; button; button = button->next)
        button->disable();
}

void PRadioGroup::draw()
{
    for (PRadioButton* button = list; button; button = button->next)
        button->draw();
}

void PRadioGroup::showControl()
{
    for (PRadioButton* button = list; button; button = button->next)
        button->showControl();
}

void PRadioGroup::hideControl()
{
    for (PRadioButton* button = list; button; button = button->next)
        button->hideControl();
}

char PRadioGroup::handleMouseDown(const EventRecord* theEvent)
{
    unsigned long number = 0;
    for (PRadioButton* button = list; button; button = button->next, ++number) {
        if (button->trackClick(theEvent, nullptr)) {
            selectItem(number, true);
            return true;
        }
    }
    return false;
}
