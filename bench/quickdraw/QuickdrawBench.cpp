// How long QuickDraw takes to repaint the whole 640x480 screen the way the
// application's window is painted: erase to the pane grey, frame the groups,
// then label and value text in Geneva 9 on every 12-pixel line.
#include "quickdraw/DrawnTexts.h"
#include "quickdraw/Framebuffer.h"
#include "quickdraw/Ports.h"

#include <Fonts.h>
#include <Quickdraw.h>
#include <benchmark/benchmark.h>

namespace {

void fullScreenRedraw()
{
    SetPort(toolbox::screenPort());
    RGBColor pane {0xEEEE, 0xEEEE, 0xEEEE};
    RGBBackColor(&pane);
    Rect all {0, 0, 480, 640};
    EraseRect(&all);
    for (short top = 24; top + 100 <= 480; top += 114) {
        Rect group {top, 8, short(top + 100), 312};
        FrameRect(&group);
        OffsetRect(&group, 320, 0);
        FrameRect(&group);
    }
    TextFont(kFontIDGeneva);
    TextSize(9);
    for (short baseline = 12; baseline < 480; baseline += 12) {
        for (short column = 0; column < 640; column += 320) {
            MoveTo(short(column + 19), baseline);
            DrawString(PSTR("Processor version number:"));
            MoveTo(short(column + 150), baseline);
            DrawString(PSTR("0x00088302 (750 v2.2)"));
        }
    }
    toolbox::forgetDrawnTexts(toolbox::screenPort());
    toolbox::screen().takeDirty();
}

void BM_FullScreenRedraw(benchmark::State& state)
{
    fullScreenRedraw(); // fills the glyph cache, as the first window update does
    for (auto _ : state)
        fullScreenRedraw();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullScreenRedraw)->Unit(benchmark::kMillisecond);

void BM_EraseScreen(benchmark::State& state)
{
    SetPort(toolbox::screenPort());
    Rect all {0, 0, 480, 640};
    for (auto _ : state)
        EraseRect(&all);
    toolbox::screen().takeDirty();
}
BENCHMARK(BM_EraseScreen)->Unit(benchmark::kMicrosecond);

void BM_DrawStringCached(benchmark::State& state)
{
    SetPort(toolbox::screenPort());
    TextFont(kFontIDGeneva);
    TextSize(9);
    for (auto _ : state) {
        MoveTo(19, 100);
        DrawString(PSTR("Processor version number:"));
        toolbox::forgetDrawnTexts(toolbox::screenPort());
    }
    toolbox::screen().takeDirty();
}
BENCHMARK(BM_DrawStringCached)->Unit(benchmark::kMicrosecond);

void BM_ScrollTitleFrame(benchmark::State& state)
{
    SetPort(toolbox::screenPort());
    Rect area {105, 103, 147, 437};
    RgnHandle update = NewRgn();
    for (auto _ : state)
        ScrollRect(&area, 0, -12, update);
    DisposeRgn(update);
    toolbox::screen().takeDirty();
}
BENCHMARK(BM_ScrollTitleFrame)->Unit(benchmark::kMicrosecond);

} // namespace
