// A band headed by a disclosure triangle and a title: collapsed it is a
// 20-pixel strip showing only the triangle and title; expanded it has its
// full height. subPaneOpened comes just before the first drawing of an
// expanded band and after every later opening; subPaneClosed before it
// shrinks. Subclasses show their controls in the one and hide them in the
// other, call PDinkSubPane::draw() first in draw(), and offer clicks to
// PDinkSubPane::handleMouseDown() first.
#pragma once

#include <framework/PDinkButton.h>
#include <framework/PSubPane.h>

#include <memory>

class PDinkSubPane : public PSubPane {
public:
    static constexpr unsigned long kCollapsedHeight = 20;

    PDinkSubPane(const unsigned char* title, unsigned long expandedHeight, PTabPane* tabPane, char dinked);
    ~PDinkSubPane() override;
    void _draw() override;
    void _idle() override;
    char _handleMouseDown(const EventRecord* theEvent) override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void draw() override;
    virtual void subPaneOpened() { }
    virtual void subPaneClosed() { }

    bool isExpanded() const { return dinkButton->isDinked(); }
    const unsigned char* getTitle() const { return dinkButton->getTitle(); }

private:
    unsigned long expandedHeight;
    char firstDraw; // not drawn yet
    std::unique_ptr<PDinkButton> dinkButton;
};
