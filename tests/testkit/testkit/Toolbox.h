// The toolbox in process on the headless host, for the toolbox's own tests:
// each test starts from an empty desktop (no windows, no menus, no queued
// events, no script) and gives input as the host would deliver it.
#pragma once

#include <Events.h>
#include <MacWindows.h>
#include <Menus.h>

#include <gtest/gtest.h>

#include <string>

namespace testkit {

class ToolboxTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the event script (steps play as the code under test asks for events).
    void playScript(const std::string& text);
    // A visible document window in front, content at the given global rectangle.
    static WindowRef newWindow(short left, short top, short right, short bottom, short procID = noGrowDocProc,
        bool goAway = true, const char* title = "Test");
    // A menu in the bar from AppendMenu text.
    static MenuRef newMenu(MenuID id, const char* title, const char* items);
    // Takes every pending update so that the windows start out valid.
    static void settle();
    // The next event of any kind, waiting at most one tick.
    static EventRecord nextEvent();
    static UInt32 screenPixel(int h, int v);

    // Mouse and key input at global points, queued as the host delivers it.
    static void press(short h, short v);
    static void move(short h, short v);
    static void release(short h, short v);
    static void click(short h, short v);
    static void key(char charCode, unsigned char keyCode, EventModifiers modifiers = 0);
};

} // namespace testkit
