// Every toolbox test starts from an empty desktop on the headless host: no
// windows, no menus, no queued events, and (when it plays one) its own script.
#pragma once

#include <Events.h>
#include <MacWindows.h>
#include <Menus.h>

#include <gtest/gtest.h>
#include <testkit/PString.h>

#include <string>

class ToolboxTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the event script (steps play as the code under test asks for events).
    void playScript(const std::string& text);
    // A visible document window in front, content at the given global rectangle.
    WindowRef newWindow(short left, short top, short right, short bottom, short procID = noGrowDocProc,
        bool goAway = true, const char* title = "Test");
    // A menu in the bar from AppendMenu text.
    MenuRef newMenu(MenuID id, const char* title, const char* items);
    // Takes every pending update so that the windows start out valid.
    void settle();
    // The next event of any kind, waiting at most one tick.
    EventRecord nextEvent();
    UInt32 screenPixel(int h, int v);
};
