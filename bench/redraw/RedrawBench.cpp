// A full redraw of Tarnwick X's window: the application is set up as its main
// does (resources, preferences, processor, application object with its
// window), then the window's update is drawn again and again, headless, the
// whole window invalidated each time as an uncovering window would. Prints
// the median of the timed redraws; under callgrind, run with --redraws N and
// no timing, the instructions of G3TarnwickWindow::draw divide by N.
//
// usage: redraw_bench [--redraws N] [--quiet]
#include "ApplicationFiles.h"
#include "G3TarnwickApp.h"

#include <framework/PApplication.h>
#include <framework/PWindow.h>
#include <prefs/G3TarnwickAppPrefs.h>
#include <processor/PProcessor.h>
#include <support/ThrowError.h>

#include <MacWindows.h>
#include <Quickdraw.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// What the event loop does for an update event covering the whole window.
void redraw(PWindow* window, WindowRef ref)
{
    window->setPort();
    Rect all;
    window->portRect(&all);
    InvalWindowRect(ref, &all);
    BeginUpdate(ref);
    window->draw();
    EndUpdate(ref);
}

} // namespace

int main(int argc, char** argv)
{
    int redraws = 200;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--redraws") == 0 && i + 1 < argc)
            redraws = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--quiet") == 0)
            quiet = true;
    }
    if (!OpenApplicationResources())
        return 1;
    Initialize();
    try {
        ReadG3TarnwickAppPrefs();
        PProcessor::InitPProcessor();
        new G3TarnwickApp;
    } catch (const ThrowError& error) {
        std::fprintf(stderr, "redraw_bench: the application did not start (error %d)\n", ThrowErrorNumber(error));
        return 1;
    }
    WindowRef ref = FrontWindow();
    PWindow* window = PWindow::fromWindow(ref);
    if (!window) {
        std::fprintf(stderr, "redraw_bench: no window\n");
        return 1;
    }

    std::vector<double> micros;
    for (int i = 0; i < redraws; ++i) {
        auto start = std::chrono::steady_clock::now();
        redraw(window, ref);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    if (!quiet)
        std::printf("full window redraw    %.1f us (median of %d)\n", micros[micros.size() / 2], redraws);
    return 0;
}
