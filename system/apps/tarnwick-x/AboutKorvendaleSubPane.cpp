#include "AboutKorvendaleSubPane.h"

#include "ApplicationFiles.h"
#include "LaunchURL.h"
#include "PaneText.h"

#include <framework/PWindow.h>
#include <prefs/G3TarnwickAppPrefs.h>

#include <Events.h>

namespace {

constexpr short kInfoPictID = -4048;
constexpr short kTextLeft = 20;
constexpr RGBColor kBlack = {0, 0, 0};
constexpr RGBColor kWhite = {65535, 65535, 65535};
constexpr RGBColor kLinkBlue = {0, 0, 65535};

// The link's rectangle: 2 pixels around "Click Here" as the text runs after
// "Please " (left 50, top 90, right 99, bottom 104 with Geneva's widths), so
// that it covers the words whatever the font's metrics.
Rect LinkRect()
{
    UsePaneFont();
    const short left = static_cast<short>(kTextLeft + StringWidth(PSTR("Please ")) - 2);
    return Rect {90, left, 104, static_cast<short>(left + StringWidth(PSTR("Click Here")) + 4)};
}

} // namespace

AboutKorvendaleSubPane::AboutKorvendaleSubPane(PTabPane* owner)
    : PDinkSubPane(PSTR("About Korvendale"), 150, owner, prefs.aboutKorvendaleDinked)
    , infoPict(GetPicture(kInfoPictID))
{
}

// GetPicture gives this pane a picture of its own (not the resource itself),
// so the pane releases it.
AboutKorvendaleSubPane::~AboutKorvendaleSubPane()
{
    if (infoPict)
        KillPicture(infoPict);
}

void AboutKorvendaleSubPane::draw()
{
    PDinkSubPane::draw();

    // Two corner dots; the right one is placed by the band's right edge in
    // window coordinates, taken as it is.
    const Rect& band = getSubPaneRect();
    Rect dot = {0, 0, 1, 1};
    PaintRect(&dot);
    SetRect(&dot, static_cast<short>(band.right - 4), 0, static_cast<short>(band.right - 3), 1);
    PaintRect(&dot);

    if (infoPict) {
        Rect frame;
        QDGetPictureBounds(infoPict, &frame);
        const short pictWidth = static_cast<short>(frame.right - frame.left);
        const short pictHeight = static_cast<short>(frame.bottom - frame.top);
        const short paneWidth = static_cast<short>(band.right - band.left);
        Rect destination;
        SetRect(&destination, static_cast<short>((paneWidth - pictWidth) / 2), 30,
            static_cast<short>((paneWidth + pictWidth) / 2), static_cast<short>(pictHeight + 30));
        DrawPicture(infoPict, &destination);
    }

    UsePaneFont();
    MoveTo(kTextLeft, 100);
    DrawString(PSTR("Please "));
    RGBForeColor(&kLinkBlue);
    TextFace(underline);
    DrawString(PSTR("Click Here"));
    TextFace(normal);
    RGBForeColor(&kBlack);
    DrawString(PSTR(" for updates to Tarnwick X and for more"));
    MoveTo(kTextLeft, 115);
    DrawString(PSTR("information about Korvendale."));
    MoveTo(kTextLeft, 145);
    DrawString(PSTR("Copyright \xA9 2026 Korvendale"));
}

// "Click Here" inside the link rectangle: white on black while pressed,
// blue on the background otherwise. Shown at once, since no update comes
// while the mouse is tracked.
void AboutKorvendaleSubPane::drawLink(bool highlighted)
{
    const Rect link = LinkRect();
    if (highlighted) {
        RGBForeColor(&kBlack);
        PaintRect(&link);
        RGBForeColor(&kWhite);
    } else {
        EraseRect(&link);
        RGBForeColor(&kLinkBlue);
    }
    TextFace(underline);
    MoveTo(static_cast<short>(link.left + 2), static_cast<short>(link.bottom - 4));
    DrawString(PSTR("Click Here"));
    TextFace(normal);
    RGBForeColor(&kBlack);
    getMyWindow()->flushPortBuffer();
}

// One look at the mouse: highlight on entering the link, restore on leaving.
void AboutKorvendaleSubPane::trackLink(bool& highlighted)
{
    Point mouse;
    GetMouse(&mouse);
    const Rect link = LinkRect();
    const bool inside = PtInRect(mouse, &link);
    if (inside != highlighted) {
        highlighted = inside;
        drawLink(highlighted);
    }
}

char AboutKorvendaleSubPane::handleMouseDown(const EventRecord* theEvent)
{
    if (PDinkSubPane::handleMouseDown(theEvent))
        return true;
    Point where = theEvent->where;
    GlobalToLocal(&where);
    if (const Rect link = LinkRect(); !PtInRect(where, &link))
        return false;

    // The mouse is looked at once before the button's state and once after
    // the release, so that a quick click (pressed and released before the
    // first look) still opens the page, and a release outside never does.
    bool highlighted = false;
    do
        trackLink(highlighted);
    while (StillDown());
    trackLink(highlighted);

    if (highlighted) {
        drawLink(false);
        LaunchURL(SupportPageAddress());
    }
    return true;
}

void AboutKorvendaleSubPane::subPaneOpened()
{
    prefs.aboutKorvendaleDinked = true;
}

void AboutKorvendaleSubPane::subPaneClosed()
{
    prefs.aboutKorvendaleDinked = false;
}
