#include <framework/PTabPane.h>

#include <framework/PPortStateSaver.h>
#include <framework/PSubPane.h>
#include <framework/PTabManager.h>
#include <framework/PWindow.h>

#include <Fonts.h>
#include <MacWindows.h>

namespace {

// The nine tab pictures, loaded by the first tab and kept for the life of
// the program: left cap, middle and right cap of the selected tab
// (Enabled), the other tabs (Disabled) and a tab being pressed (Selected).
PicHandle leftTabEnabled = nullptr;
PicHandle centerTabEnabled = nullptr;
PicHandle rightTabEnabled = nullptr;
PicHandle leftTabDisabled = nullptr;
PicHandle centerTabDisabled = nullptr;
PicHandle rightTabDisabled = nullptr;
PicHandle leftTabSelected = nullptr;
PicHandle centerTabSelected = nullptr;
PicHandle rightTabSelected = nullptr;

enum PictureSet { kEnabledSet, kDisabledSet, kSelectedSet };

constexpr short kCapWidth = 11;
constexpr short kTabTop = 10;
constexpr short kTabBottom = 28;
constexpr short kTitlePadding = 24;

const RGBColor kPaneBackground = {0xEEEE, 0xEEEE, 0xEEEE};
const RGBColor kPressedTitle = {0xFFFF, 0xFFFF, 0xFFFF};

void loadTabPictures()
{
    leftTabEnabled = GetPicture(128);
    centerTabEnabled = GetPicture(129);
    rightTabEnabled = GetPicture(130);
    leftTabDisabled = GetPicture(131);
    centerTabDisabled = GetPicture(132);
    rightTabDisabled = GetPicture(133);
    leftTabSelected = GetPicture(135);
    centerTabSelected = GetPicture(136);
    rightTabSelected = GetPicture(137);
}

void drawPicture(PicHandle picture, const Rect& where)
{
    if (picture)
        DrawPicture(picture, &where);
}

} // namespace

PTabPane::PTabPane(const unsigned char* title, PTabManager* tabManager)
    : next(nullptr)
    , subPaneList(nullptr)
    , title(title)
    , titleRect {kTabTop, 0, kTabBottom, 0}
    , active(false)
    , myTabManager(tabManager)
{
    myTabManager->_addTabPane(this);
    if (leftTabEnabled == nullptr)
        loadTabPictures();
}

PTabPane::~PTabPane()
{
    while (subPaneList) {
        PSubPane* doomed = subPaneList;
        subPaneList = subPaneList->next;
        delete doomed;
    }
}

PWindow* PTabPane::getMyWindow()
{
    return myTabManager->myWindow;
}

void PTabPane::_setLeft(unsigned long left)
{
    getMyWindow()->setPort();
    TextFont(kFontIDGeneva);
    TextSize(9);
    TextFace(normal);
    titleRect.top = kTabTop;
    titleRect.bottom = kTabBottom;
    titleRect.left = static_cast<short>(left);
    titleRect.right = static_cast<short>(left + StringWidth(title) + kTitlePadding);
}

unsigned long PTabPane::totalBandHeight() const
{
    unsigned long total = 0;
    for (const PSubPane* band = subPaneList; band; band = band->next)
        total += static_cast<unsigned long>(band->subPaneRect.bottom - band->subPaneRect.top);
    return total;
}

void PTabPane::_activate()
{
    active = true;
    myTabManager->sizeWindow(static_cast<long>(totalBandHeight()));
    _draw();
}

void PTabPane::_deactivate()
{
    active = false;
    _draw();
}

void PTabPane::_addSubPane(PSubPane* band, unsigned long height)
{
    const Rect& paneRect = myTabManager->paneRect;
    PSubPane* last = subPaneList;
    while (last && last->next)
        last = last->next;

    band->subPaneRect.left = static_cast<short>(paneRect.left + 1);
    band->subPaneRect.right = static_cast<short>(paneRect.right - 1);
    band->subPaneRect.top = last ? last->subPaneRect.bottom : static_cast<short>(paneRect.top + 1);
    band->subPaneRect.bottom = static_cast<short>(band->subPaneRect.top + height);
    band->next = nullptr;
    if (last)
        last->next = band;
    else
        subPaneList = band;

    if (active)
        myTabManager->resizeWindow(static_cast<long>(height));
}

void PTabPane::_changeSubPaneHeight(PSubPane* band, unsigned long newHeight)
{
    Rect& bandRect = band->subPaneRect;
    const long delta = static_cast<long>(newHeight) - (bandRect.bottom - bandRect.top);
    const Rect paneRect = myTabManager->paneRect;

    getMyWindow()->setPort();
    SetOrigin(0, 0);

    // Everything from the band's (old or new) bottom to the foot of the
    // window moves with it.
    Rect moving;
    moving.left = paneRect.left;
    moving.right = static_cast<short>(paneRect.right + 1);
    moving.bottom = static_cast<short>(paneRect.bottom + 3);
    moving.top = delta > 0 ? bandRect.bottom : static_cast<short>(bandRect.top + newHeight);
    {
        PPortStateSaver saver;
        RGBBackColor(&kPaneBackground);
        if (band->next == nullptr) {
            EraseRect(&moving);
        } else {
            RgnHandle vacated = NewRgn();
            ScrollRect(&moving, 0, static_cast<short>(delta), vacated);
            DisposeRgn(vacated);
        }
    }

    const short oldBottom = bandRect.bottom;
    bandRect.bottom = static_cast<short>(bandRect.top + newHeight);
    for (PSubPane* below = band->next; below; below = below->next) {
        below->subPaneRect.top = static_cast<short>(below->subPaneRect.top + delta);
        below->subPaneRect.bottom = static_cast<short>(below->subPaneRect.bottom + delta);
    }

    Rect stale;
    if (delta > 0) {
        stale.top = static_cast<short>(oldBottom - 3);
        stale.left = static_cast<short>(bandRect.left - 1);
        stale.bottom = bandRect.bottom;
        stale.right = static_cast<short>(bandRect.right + 2);
    } else {
        stale.top = static_cast<short>(paneRect.bottom + delta - 2);
        stale.left = paneRect.left;
        stale.bottom = paneRect.bottom;
        stale.right = static_cast<short>(paneRect.right + 1);
    }
    getMyWindow()->invalRect(&stale);

    myTabManager->resizeWindow(delta);
}

char PTabPane::_handleMouseDown(const EventRecord* theEvent)
{
    SetOrigin(0, 0);
    Point local = theEvent->where;
    GlobalToLocal(&local);
    char taken = false;
    for (PSubPane* band = subPaneList; band && !taken; band = band->next) {
        if (!PtInRect(local, &band->subPaneRect))
            continue;
        PPortStateSaver saver;
        SetOriginToCorner(band->subPaneRect);
        taken = band->_handleMouseDown(theEvent);
    }
    SetOrigin(0, 0);
    return taken;
}

void PTabPane::drawTabPictures(int pictureSet)
{
    const Rect leftCap
        = {titleRect.top, titleRect.left, titleRect.bottom, static_cast<short>(titleRect.left + kCapWidth)};
    const Rect middle = {titleRect.top, static_cast<short>(titleRect.left + kCapWidth), titleRect.bottom,
        static_cast<short>(titleRect.right - kCapWidth)};
    const Rect rightCap
        = {titleRect.top, static_cast<short>(titleRect.right - kCapWidth), titleRect.bottom, titleRect.right};

    getMyWindow()->setPort();
    switch (pictureSet) {
    case kEnabledSet:
        drawPicture(leftTabEnabled, leftCap);
        drawPicture(centerTabEnabled, middle);
        drawPicture(rightTabEnabled, rightCap);
        break;
    case kDisabledSet:
        drawPicture(leftTabDisabled, leftCap);
        drawPicture(centerTabDisabled, middle);
        drawPicture(rightTabDisabled, rightCap);
        break;
    default:
        drawPicture(leftTabSelected, leftCap);
        drawPicture(centerTabSelected, middle);
        drawPicture(rightTabSelected, rightCap);
        break;
    }
}

void PTabPane::drawTitle()
{
    TextFont(kFontIDGeneva);
    TextSize(9);
    MoveTo(static_cast<short>(titleRect.left + kCapWidth + 1), static_cast<short>(titleRect.bottom - 5));
    DrawString(title);
}

void PTabPane::_draw()
{
    drawTabPictures(active ? kEnabledSet : kDisabledSet);
    drawTitle();
    if (!active)
        return;

    PPortStateSaver saver;
    RGBBackColor(&kPaneBackground);
    Rect inside = myTabManager->paneRect;
    inside.top = static_cast<short>(inside.top + 2);
    inside.left = static_cast<short>(inside.left + 1);
    EraseRect(&inside);
    for (PSubPane* band = subPaneList; band; band = band->next) {
        PPortStateSaver bandSaver;
        SetOriginToCorner(band->subPaneRect);
        band->_draw();
    }
    SetOrigin(0, 0);
}

void PTabPane::_drawTab()
{
    drawTabPictures(kDisabledSet);
    drawTitle();
    getMyWindow()->flushPortBuffer();
}

void PTabPane::_drawTabHilited()
{
    drawTabPictures(kSelectedSet);
    RGBColor savedFore;
    GetForeColor(&savedFore);
    RGBForeColor(&kPressedTitle);
    drawTitle();
    RGBForeColor(&savedFore);
    getMyWindow()->flushPortBuffer();
}

void PTabPane::_idle()
{
    if (!active)
        return;
    for (PSubPane* band = subPaneList; band; band = band->next) {
        PPortStateSaver saver;
        SetOriginToCorner(band->subPaneRect);
        band->_idle();
    }
    SetOrigin(0, 0);
}
