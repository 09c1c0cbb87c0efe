#include <framework/PControlList.h>

void PControlList::disable()
{
    for (const Entry& e : entries)
        e.ops->disable(e.control);
}

void PControlList::draw()
{
    for (const Entry& e : entries)
        e.ops->draw(e.control);
}

void PControlList::showControl()
{
    for (const Entry& e : entries)
        e.ops->show(e.control);
}

void PControlList::hideControl()
{
    for (const Entry& e : entries)
        e.ops->hide(e.control);
}

char PControlList::handleMouseDown(const EventRecord* theEvent)
{
    for (const Entry& e : entries) {
        if (e.ops->mouseDown(e.control, theEvent))
            return true;
    }
    return false;
}
