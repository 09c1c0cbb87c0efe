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
    std::erase_if(texts, [&](const DrawnText& t) { return bounds.contains(IRect::from(t.bounds)); });
    if (texts.size() >= kMaxEntries)
        texts.erase(texts.begin());
    texts.push_back(DrawnText {std::move(text), bounds.toRect()});
}

std::vector<DrawnText> drawnTexts(CGrafPtr port)
{
    if (!port || !port->extras)
        return {};
    return port->extras->texts;
}

void forgetDrawnTexts(CGrafPtr port)
{
    if (port && port->extras)
        port->extras->texts.clear();
}

} // namespace toolbox
