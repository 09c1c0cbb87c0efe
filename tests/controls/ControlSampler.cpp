// control_sampler: a small program for the controls tests, run as a process
// with an event script. `control_sampler controls` shows a window with one
// control of each kind (and a dimmed copy of each) and reports every tracked
// click on standard output; `control_sampler dialog` runs the cache-speed
// warning of the application's resources; `control_sampler alert` shows
// stop alert 10001. Each prints what the user chose.
#include <AppleEvents.h>
#include <Controls.h>
#include <Dialogs.h>
#include <Events.h>
#include <Fonts.h>
#include <MacWindows.h>
#include <Menus.h>
#include <Resources.h>
#include <resources/ResourceFileAccess.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string titleOf(ControlRef c)
{
    Str255 t;
    GetControlTitle(c, t);
    return std::string(reinterpret_cast<const char*>(t + 1), t[0]);
}

int runControls()
{
    Rect bounds;
    SetRect(&bounds, 40, 60, 400, 200);
    WindowRef w = NewCWindow(
        nullptr, &bounds, PSTR("Controls"), true, noGrowDocProc, reinterpret_cast<WindowRef>(-1), true, 0);
    SetPortWindowPort(w);
    TextFont(kFontIDGeneva);
    TextSize(9);
    const struct {
        short left, top, right, bottom;
        const unsigned char* title;
        short value, min, max, procID;
    } kControls[] = {
        {10, 10, 110, 26, PSTR("Press Me"), 0, 0, 1, 8},
        {10, 40, 110, 52, PSTR("Check Me"), 1, 0, 1, 9},
        {10, 60, 110, 72, PSTR("Radio"), 0, 0, 1, 10},
        {10, 90, 110, 105, PSTR(""), 0, 2, 0, 1016},
    };
    for (int dimmed = 0; dimmed < 2; ++dimmed) {
        for (const auto& k : kControls) {
            Rect r;
            SetRect(&r, short(k.left + 180 * dimmed), k.top, short(k.right + 180 * dimmed), k.bottom);
            ControlRef c = NewControl(w, &r, k.title, true, k.value, k.min, k.max, k.procID, 0);
            if (dimmed)
                HiliteControl(c, kControlInactivePart);
        }
    }
    for (;;) {
        EventRecord e;
        if (!WaitNextEvent(everyEvent, &e, 60, nullptr))
            continue;
        if (e.what == kHighLevelEvent && e.message == kCoreEventClass) {
            const UInt32 id = UInt32(UInt16(e.where.v)) << 16 | UInt16(e.where.h);
            if (id == kAEQuitApplication)
                return 0;
        } else if (e.what == updateEvt) {
            BeginUpdate(w);
            Rect all;
            GetWindowPortBounds(w, &all);
            EraseRect(&all);
            DrawControls(w);
            EndUpdate(w);
        } else if (e.what == mouseDown) {
            WindowRef hitWindow = nullptr;
            if (FindWindow(e.where, &hitWindow) != inContent || hitWindow != w)
                continue;
            SetPortWindowPort(w);
            Point pt = e.where;
            GlobalToLocal(&pt);
            ControlRef c = nullptr;
            if (!FindControl(pt, w, &c)) {
                std::printf("nothing\n");
                continue;
            }
            const bool popup = GetControlPopupMenuHandle(c) != nullptr;
            const ControlPartCode part
                = TrackControl(c, pt, popup ? reinterpret_cast<ControlActionUPP>(-1) : nullptr);
            std::printf(
                "%s: part %d value %d\n", popup ? "pop-up" : titleOf(c).c_str(), part, GetControlValue(c));
            std::fflush(stdout);
        }
    }
}

int runDialog()
{
    ParamText(PSTR("400"), PSTR("1:1"), nullptr, nullptr);
    DialogRef d = GetNewDialog(130, nullptr, reinterpret_cast<WindowRef>(-1));
    if (!d) {
        std::printf("no dialog\n");
        return 1;
    }
    SetDialogDefaultItem(d, 1);
    ShowWindow(GetDialogWindow(d));
    SelectWindow(GetDialogWindow(d));
    ControlRef box = nullptr;
    GetDialogItemAsControl(d, 6, &box);
    DialogItemIndex item = 0;
    do {
        ModalDialog(nullptr, &item);
        if (item == 6)
            SetControlValue(box, !GetControlValue(box));
        std::printf("item %d\n", item);
    } while (item != 1 && item != 2);
    std::printf("check box %d\n", GetControlValue(box));
    DisposeDialog(d);
    return 0;
}

int runAlert()
{
    ParamText(PSTR("Failed to open file!"), PSTR("PFiles"), PSTR("123"), PSTR("-43"));
    std::printf("alert %d\n", StopAlert(10001, nullptr));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    SInt16 ref = -1;
    if (toolbox::openResourceFileAtPath(KORV_TARNWICK_RESOURCES, fsRdPerm, &ref) != noErr) {
        std::fprintf(stderr, "control_sampler: cannot open the resources\n");
        return 1;
    }
    const std::string scenario = argc > 1 ? argv[1] : "";
    if (scenario == "controls")
        return runControls();
    if (scenario == "dialog")
        return runDialog();
    if (scenario == "alert")
        return runAlert();
    std::fprintf(stderr, "usage: control_sampler controls|dialog|alert\n");
    return 1;
}
