// Drawing a dialog's items: controls, word-wrapped static texts with the
// ParamText strings put in, icons, pictures and the default button's ring.
#include "appearance/AlertIcons.h"
#include "appearance/ControlLook.h"
#include "appearance/SavedDrawingState.h"
#include "dialogs/DialogRecord.h"

#include <MacMemory.h>

namespace toolbox {

namespace {

short textWidth(const std::string& s, size_t from, size_t count)
{
    return TextWidth(s.data(), static_cast<short>(from), static_cast<short>(count));
}

// Breaks `text` into lines no wider than `width`: at returns, else after the
// last space that fits, else (a word too long for a line) between characters.
std::vector<std::string> wrap(const std::string& text, int width)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\r', start), text.size());
        size_t lineStart = start;
        do {
            size_t fit = lineStart;
            size_t lastBreak = std::string::npos;
            while (fit < end && textWidth(text, lineStart, fit - lineStart + 1) <= width) {
                if (text[fit] == ' ')
                    lastBreak = fit;
                ++fit;
            }
            if (fit == end) {
                lines.push_back(text.substr(lineStart, end - lineStart));
                lineStart = end;
                break;
            }
            size_t cut = lastBreak != std::string::npos && lastBreak > lineStart
                ? lastBreak
                : std::max(fit, lineStart + 1);
            lines.push_back(text.substr(lineStart, cut - lineStart));
            lineStart = cut;
            while (lineStart < end && text[lineStart] == ' ')
                ++lineStart;
        } while (lineStart < end);
        start = end + 1;
    }
    return lines;
}

void drawTextBox(const std::string& text, const Rect& box)
{
    FontInfo fi;
    GetFontInfo(&fi);
    const short lineHeight = static_cast<short>(fi.ascent + fi.descent + fi.leading);
    RgnHandle savedClip = NewRgn();
    GetClip(savedClip);
    RgnHandle clip = NewRgn();
    RectRgn(clip, &box);
    SectRgn(clip, savedClip, clip);
    SetClip(clip);
    short baseline = static_cast<short>(box.top + fi.ascent);
    for (const std::string& line : wrap(text, box.right - box.left)) {
        if (baseline - fi.ascent >= box.bottom)
            break;
        MoveTo(box.left, baseline);
        DrawText(line.data(), 0, static_cast<short>(line.size()));
        baseline = static_cast<short>(baseline + lineHeight);
    }
    SetClip(savedClip);
    DisposeRgn(clip);
    DisposeRgn(savedClip);
}

std::string handleText(Handle h)
{
    if (!h || !*h)
        return {};
    return std::string(*h, static_cast<size_t>(GetHandleSize(h)));
}

void drawIcon(short id, const Rect& box)
{
    if (CIconHandle icon = GetCIcon(id)) {
        PlotCIcon(&box, icon);
        DisposeCIcon(icon);
    } else if (id >= kStopIcon && id <= kCautionIcon) {
        drawAlertIcon(id, box);
    }
}

} // namespace

void updateDialog(DialogRef dialog)
{
    BeginUpdate(dialog->window);
    DrawDialog(dialog);
    EndUpdate(dialog->window);
}

} // namespace toolbox

void DrawDialog(DialogRef theDialog)
{
    using namespace toolbox;
    if (!theDialog)
        return;
    CGrafPtr port = GetWindowPort(theDialog->window);
    SavedDrawingState saved(port);
    Rect portRect;
    GetPortBounds(port, &portRect);
    EraseRect(&portRect);
    const RGBColor black = {0, 0, 0};
    if (theDialog->iconKind >= 0) {
        Rect iconBox;
        SetRect(&iconBox, 20, 10, 52, 42);
        drawAlertIcon(theDialog->iconKind, iconBox);
    }
    for (const DialogItem& item : theDialog->items) {
        PenNormal();
        RGBForeColor(&black);
        switch (item.kind()) {
        case kStaticTextDialogItem:
            drawTextBox(substituteParams(handleText(item.textHandle)), item.box);
            break;
        case kEditTextDialogItem: {
            Rect frame = item.box;
            InsetRect(&frame, -3, -3);
            FrameRect(&frame);
            drawTextBox(handleText(item.textHandle), item.box);
            break;
        }
        case kIconDialogItem:
            drawIcon(item.resourceID, item.box);
            break;
        case kPictureDialogItem:
            if (PicHandle pic = GetPicture(item.resourceID)) {
                DrawPicture(pic, &item.box);
                KillPicture(pic);
            }
            break;
        default:
            if (item.control)
                Draw1Control(item.control);
            break;
        }
    }
    const DialogItemIndex def = theDialog->defaultItem;
    if (theDialog->defaultRing && def >= 1 && def <= CountDITL(theDialog)) {
        const DialogItem& item = theDialog->items[static_cast<size_t>(def - 1)];
        if (item.control && IsControlVisible(item.control))
            drawDefaultRing(item.box, !IsControlActive(item.control));
    }
}
