// "About Korvendale": a picture, a link to the support page and the
// copyright line. The link is tracked by hand: pressed it shows white on
// black, and it opens the page only when the mouse goes up over it.
#pragma once

#include <framework/PDinkSubPane.h>

#include <Quickdraw.h>

class AboutKorvendaleSubPane : public PDinkSubPane {
public:
    explicit AboutKorvendaleSubPane(PTabPane* owner);
    ~AboutKorvendaleSubPane() override;
    char handleMouseDown(const EventRecord* theEvent) override;
    void draw() override;
    void idle() override { }
    void subPaneOpened() override;
    void subPaneClosed() override;

private:
    void drawLink(bool highlighted);
    void trackLink(bool& highlighted);

    PicHandle infoPict; // picture -4048 of the application's resources
};
