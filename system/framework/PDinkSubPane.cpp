#include <framework/PDinkSubPane.h>

#include <framework/PPortStateSaver.h>

namespace {
constexpr unsigned long kDinkCorner = 5;
}

PDinkSubPane::PDinkSubPane(
    const unsigned char* title, unsigned long expandedHeight, PTabPane* tabPane, char dinked)
    : PSubPane(dinked ? expandedHeight : kCollapsedHeight, tabPane)
    , expandedHeight(expandedHeight)
    , firstDraw(true)
    , dinkButton(std::make_unique<PDinkButton>(kDinkCorner, kDinkCorner, title, getMyWindow(), dinked))
{
}

PDinkSubPane::~PDinkSubPane() = default;

void PDinkSubPane::_draw()
{
    if (!isExpanded()) {
        PDinkSubPane::draw();
    } else {
        if (firstDraw) {
            firstDraw = false;
            subPaneOpened();
        }
        draw();
    }
    firstDraw = false;
}

void PDinkSubPane::_idle()
{
    if (isExpanded())
        idle();
}

char PDinkSubPane::_handleMouseDown(const EventRecord* theEvent)
{
    if (!isExpanded())
        return PDinkSubPane::handleMouseDown(theEvent);
    return handleMouseDown(theEvent);
}

char PDinkSubPane::handleMouseDown(const EventRecord* theEvent)
{
    if (!dinkButton->handleMouseDown(theEvent))
        return false;
    // Bring the band to the state the triangle shows now; after a press
    // released outside that is the same state again, with a height change of 0.
    if (!isExpanded()) {
        {
            PPortStateSaver saver;
            SetOriginToCorner(getSubPaneRect());
            subPaneClosed();
        }
        SetOrigin(0, 0);
        changeSubPaneHeight(kCollapsedHeight);
    } else {
        changeSubPaneHeight(expandedHeight);
        {
            PPortStateSaver saver;
            SetOriginToCorner(getSubPaneRect());
            subPaneOpened();
        }
        SetOrigin(0, 0);
    }
    return true;
}

void PDinkSubPane::draw()
{
    dinkButton->draw();
}
