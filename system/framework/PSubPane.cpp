#include <framework/PSubPane.h>

#include <framework/PTabPane.h>

PSubPane::PSubPane(unsigned long height, PTabPane* tabPane)
    : next(nullptr)
    , subPaneRect {0, 0, 0, 0}
    , myTabPane(tabPane)
{
    myTabPane->_addSubPane(this, height);
}

PSubPane::~PSubPane() = default;

char PSubPane::handleMouseDown(const EventRecord* theEvent)
{
    (void)theEvent;
    return false;
}

void PSubPane::changeSubPaneHeight(unsigned long newHeight)
{
    myTabPane->_changeSubPaneHeight(this, newHeight);
}

PWindow* PSubPane::getMyWindow()
{
    return myTabPane->getMyWindow();
}
