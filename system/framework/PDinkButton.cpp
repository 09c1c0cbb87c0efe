#include <framework/PDinkButton.h>

#include <framework/PWindow.h>

#include <Fonts.h>

namespace {

// Loaded from the application's 'cicn' resources by the first button and
// kept for the life of the program.
CIconHandle rightDinkIcon = nullptr;
CIconHandle downDinkIcon = nullptr;
CIconHandle rightDinkSelected = nullptr;
CIconHandle downDinkSelected = nullptr;

constexpr short kRightDinkIconID = 1000;
constexpr short kDownDinkIconID = 1001;
constexpr short kRightDinkSelectedID = 1002;
constexpr short kDownDinkSelectedID = 1003;

void plot(const Rect& where, CIconHandle icon)
{
    if (icon)
        PlotCIcon(&where, icon);
}

} // namespace

PDinkButton::PDinkButton(
    unsigned long x, unsigned long y, const unsigned char* myTitle, PWindow* theWindow, char isDinked)
    : myWindow(theWindow)
    , dinked(isDinked)
    , title(myTitle)
{
    const short left = static_cast<short>(x);
    const short top = static_cast<short>(y);
    dinkedRightRect = {top, left, static_cast<short>(top + 12), static_cast<short>(left + 8)};
    dinkedDownRect = {static_cast<short>(top + 4), static_cast<short>(left - 3), static_cast<short>(top + 12),
        static_cast<short>(left + 9)};
    if (rightDinkIcon == nullptr) {
        rightDinkIcon = GetCIcon(kRightDinkIconID);
        downDinkIcon = GetCIcon(kDownDinkIconID);
        rightDinkSelected = GetCIcon(kRightDinkSelectedID);
        downDinkSelected = GetCIcon(kDownDinkSelectedID);
    }
}

PDinkButton::~PDinkButton() = default;

void PDinkButton::draw()
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    plotState(false);
    MoveTo(static_cast<short>(dinkedDownRect.right + 5), static_cast<short>(dinkedRightRect.bottom - 2));
    DrawString(title);
}

void PDinkButton::plotState(bool pressed)
{
    if (dinked)
        plot(dinkedDownRect, pressed ? downDinkSelected : downDinkIcon);
    else
        plot(dinkedRightRect, pressed ? rightDinkSelected : rightDinkIcon);
}

char PDinkButton::handleMouseDown(const EventRecord* theEvent)
{
    Point local = theEvent->where;
    GlobalToLocal(&local);
    const Rect hot = dinked ? dinkedDownRect : dinkedRightRect;
    if (!PtInRect(local, &hot))
        return false;

    plotState(true);
    myWindow->flushPortBuffer();
    bool inside = true;
    auto follow = [&] {
        Point mouse;
        GetMouse(&mouse);
        const bool nowInside = PtInRect(mouse, &hot);
        if (nowInside != inside) {
            inside = nowInside;
            plotState(inside);
            myWindow->flushPortBuffer();
        }
    };
    while (StillDown())
        follow();
    follow(); // where the button went up

    if (inside) {
        EraseRect(&hot);
        dinked = !dinked;
        plotState(false);
        myWindow->flushPortBuffer();
    }
    return true;
}
