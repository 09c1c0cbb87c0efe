// The shared headless toolbox with the application's resource file open and
// a document window, current, to hold the controls under test.
#pragma once

#include <testkit/PString.h>
#include <testkit/Toolbox.h>

#include <Controls.h>
#include <Fonts.h>
#include <Resources.h>
#include <resources/ResourceFileAccess.h>

namespace controls_test {

class ToolboxFixture : public testkit::ToolboxTest {
protected:
    void SetUp() override
    {
        ToolboxTest::SetUp();
        static SInt16 resources = -1;
        if (resources < 0) {
            ASSERT_EQ(toolbox::openResourceFileAtPath(KORV_TARNWICK_RESOURCES, fsRdPerm, &resources), noErr);
        }
        window_ = newWindow(40, 60, 440, 300, noGrowDocProc, false, "Tests");
        ASSERT_NE(window_, nullptr);
        SetPortWindowPort(window_);
        TextFont(kFontIDGeneva);
        TextSize(9);
    }

    // A point local to the window (under its port's present origin) in global coordinates.
    Point global(short h, short v) const
    {
        GrafPtr saved = nullptr;
        GetPort(&saved);
        SetPortWindowPort(window_);
        Point p {v, h};
        LocalToGlobal(&p);
        SetPort(saved);
        return p;
    }
    ControlRef make(short left, short top, short right, short bottom, const char* title, short value,
        short min, short max, short procID)
    {
        Rect r {top, left, bottom, right};
        return NewControl(window_, &r, testkit::pstr(title).c_str(), true, value, min, max, procID, 0);
    }

    WindowRef window_ = nullptr;
};

} // namespace controls_test
