#include "quickdraw/DrawnTexts.h"

#include "quickdraw/PortInternals.h"

#include <algorithm>

namespace toolbox {

namespace {

// A port that keeps drawing text without ever erasing would otherwise grow
// its log without bound; the oldest entries are the least likely to show.
constexpr size_t kMaxEntries = 1024;

} // namespace

void recordDrawnText(GrafPtr port, std::string text, const IRect& bounds)
{
    if (!port->extras || bounds.empty() || text.empty())
        return;
    auto& texts = port->extras->texts;
    std::erase_if(texts,
        [&](const DrawnText& t) { return t.control.empty() && bounds.contains(IRect::from(t.bounds)); });
    if (texts.size() >= kMaxEntries)
        texts.erase(texts.begin());
    texts.push_back(DrawnText {std::move(text), bounds.toRect(), {}});
}

void recordDrawnControl(CGrafPtr port, const char* kind, std::string title, const Rect& bounds)
{
    if (!port || !port->extras)
        return;
    const Point shift = portShift(port);
    // What shows of it: a control moved out of the port (hidden the
    // framework's way) shows nowhere.
    const IRect global = IRect::from(bounds).intersect(IRect::from(port->portRect)).offset(shift.h, shift.v);
    if (global.empty())
        return;
    auto& texts = port->extras->texts;
    std::erase_if(
        texts, [&](const DrawnText& t) { return !t.control.empty() && IRect::from(t.bounds) == global; });
    if (texts.size() >= kMaxEntries)
        texts.erase(texts.begin());
    texts.push_back(DrawnText {std::move(title), global.toRect(), kind});
}

namespace {

std::vector<DrawnText> entries(CGrafPtr port, bool controls)
{
    std::vector<DrawnText> out;
    if (port && port->extras)
        for (const DrawnText& t : port->extras->texts)
            if (t.control.empty() != controls)
                out.push_back(t);
    return out;
}

} // namespace

std::vector<DrawnText> drawnTexts(CGrafPtr port)
{
    return entries(port, false);
}

std::vector<DrawnText> drawnControls(CGrafPtr port)
{
    return entries(port, true);
}

void forgetDrawnTexts(CGrafPtr port)
{
    if (port && port->extras)
        port->extras->texts.clear();
}

} // namespace toolbox
