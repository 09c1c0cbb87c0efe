// A headless toolbox for in-process tests: the application's resource file
// open, a document window to hold controls, and helpers that queue the user's
// mouse and key input the way the host would.
#pragma once

#include <Controls.h>
#include <Events.h>
#include <MacWindows.h>

#include <gtest/gtest.h>

#include <string>

namespace controls_test {

class ToolboxFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Global (screen) input.
    static void press(short h, short v);
    static void move(short h, short v);
    static void release(short h, short v);
    static void click(short h, short v);
    static void key(char charCode, unsigned char keyCode, EventModifiers modifiers = 0);

    // A point local to the window (under its port's present origin) in global coordinates.
    Point global(short h, short v) const;
    ControlRef make(short left, short top, short right, short bottom, const char* title, short value,
        short min, short max, short procID);
    std::string titleOf(ControlRef c) const;

    WindowRef window_ = nullptr;
};

} // namespace controls_test
