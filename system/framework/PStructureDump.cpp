#include <framework/PStructureDump.h>

#include <framework/PControlSupport.h>
#include <framework/PDinkSubPane.h>
#include <framework/PSubPane.h>
#include <framework/PTabManager.h>
#include <framework/PTabPane.h>
#include <framework/PWindow.h>

#include <Controls.h>
#include <MacWindows.h>

#include <cstring>
#include <sstream>

namespace {

std::string quoted(const unsigned char* pascal)
{
    std::string text = "\"";
    if (pascal)
        text.append(reinterpret_cast<const char*>(pascal + 1), pascal[0]);
    return text + "\"";
}

std::string rectText(const Rect& r)
{
    std::ostringstream out;
    out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return out.str();
}

void dumpControl(std::ostringstream& out, const PControlRecord& record)
{
    ControlHandle control = record.control;
    Rect bounds;
    GetControlBounds(control, &bounds);
    Str255 title;
    GetControlTitle(control, title);
    out << "control " << record.kind << " " << quoted(title) << " " << rectText(bounds)
        << " value=" << GetControlValue(control) << " min=" << GetControlMinimum(control)
        << " max=" << GetControlMaximum(control);
    if (std::strcmp(record.kind, "PPopupMenu") == 0)
        out << " menu=" << GetControlPopupMenuID(control);
    out << " hilite=" << GetControlHilite(control) << (IsControlVisible(control) ? " visible" : " invisible")
        << "\n";
}

} // namespace

// Friend of the tab classes: reads their bookkeeping without adding accessors
// that the application could come to rely on.
struct PStructureDumper {
    static void dumpTabs(std::ostringstream& out, const PTabManager& tabs)
    {
        out << "pane " << rectText(tabs.paneRect) << " farRight=" << tabs.farRight << "\n";
        for (const PTabPane* tab = tabs.paneList; tab; tab = tab->next) {
            out << "tab " << quoted(tab->title) << " " << rectText(tab->titleRect)
                << (tab->active ? " active" : " inactive") << "\n";
            for (const PSubPane* band = tab->subPaneList; band; band = band->next) {
                if (auto* dink = dynamic_cast<const PDinkSubPane*>(band))
                    out << "  band PDinkSubPane " << rectText(band->getSubPaneRect()) << " "
                        << quoted(dink->getTitle()) << (dink->isExpanded() ? " open" : " closed") << "\n";
                else
                    out << "  band PSubPane " << rectText(band->getSubPaneRect()) << "\n";
            }
        }
    }
};

std::string DumpWindowStructure(PWindow* window, const PTabManager* tabs)
{
    std::ostringstream out;
    window->setPort();
    GrafPtr port;
    GetPort(&port);
    WindowRef windowRef = GetWindowFromPort(port);
    Str255 title;
    GetWTitle(windowRef, title);
    Rect bounds;
    window->portRect(&bounds);
    out << "window " << quoted(title) << " " << (bounds.right - bounds.left) << "x"
        << (bounds.bottom - bounds.top) << "\n";
    if (tabs)
        PStructureDumper::dumpTabs(out, *tabs);
    for (const PControlRecord& record : ParkedControlsOf(windowRef))
        dumpControl(out, record);
    return out.str();
}
