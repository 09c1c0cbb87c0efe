#include "ToolboxFixture.h"

#include <testkit/PString.h>

#include <Events.h>
#include <Fonts.h>
#include <Resources.h>
#include <events/EventCenter.h>
#include <resources/ResourceFileAccess.h>

#include <cstdlib>
#include <cstring>

namespace controls_test {

namespace {

SInt16 gResources = -1;

void deliver(toolbox::HostInput::Kind kind, short h, short v)
{
    toolbox::HostInput in;
    in.kind = kind;
    in.where = Point {v, h};
    toolbox::EventCenter::get().deliver(in);
}

} // namespace

void ToolboxFixture::SetUp()
{
    setenv("MACSIM_DISPLAY", "headless", 1);
    unsetenv("MACSIM_SCRIPT");
    if (gResources < 0) {
        ASSERT_EQ(toolbox::openResourceFileAtPath(KORV_TARNWICK_RESOURCES, fsRdPerm, &gResources), noErr);
    }
    toolbox::EventCenter::get().flush(everyEvent, 0);
    Rect bounds;
    SetRect(&bounds, 40, 60, 440, 300);
    window_ = NewCWindow(
        nullptr, &bounds, PSTR("Tests"), true, noGrowDocProc, reinterpret_cast<WindowRef>(-1), false, 0);
    ASSERT_NE(window_, nullptr);
    SetPortWindowPort(window_);
    TextFont(kFontIDGeneva);
    TextSize(9);
}

void ToolboxFixture::TearDown()
{
    KillControls(window_);
    DisposeWindow(window_);
    toolbox::EventCenter::get().flush(everyEvent, 0);
}

void ToolboxFixture::press(short h, short v)
{
    deliver(toolbox::HostInput::Kind::MouseDown, h, v);
}

void ToolboxFixture::move(short h, short v)
{
    deliver(toolbox::HostInput::Kind::MouseMove, h, v);
}

void ToolboxFixture::release(short h, short v)
{
    deliver(toolbox::HostInput::Kind::MouseUp, h, v);
}

void ToolboxFixture::click(short h, short v)
{
    press(h, v);
    release(h, v);
}

void ToolboxFixture::key(char charCode, unsigned char keyCode, EventModifiers modifiers)
{
    toolbox::HostInput in;
    in.kind = toolbox::HostInput::Kind::KeyDown;
    in.charCode = static_cast<UInt8>(charCode);
    in.keyCode = keyCode;
    in.modifiers = modifiers;
    toolbox::EventCenter::get().deliver(in);
    in.kind = toolbox::HostInput::Kind::KeyUp;
    toolbox::EventCenter::get().deliver(in);
}

Point ToolboxFixture::global(short h, short v) const
{
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(window_);
    Point p {v, h};
    LocalToGlobal(&p);
    SetPort(saved);
    return p;
}

ControlRef ToolboxFixture::make(short left, short top, short right, short bottom, const char* title,
    short value, short min, short max, short procID)
{
    Rect r;
    SetRect(&r, left, top, right, bottom);
    return NewControl(window_, &r, testkit::pstr(title).c_str(), true, value, min, max, procID, 0);
}

std::string ToolboxFixture::titleOf(ControlRef c) const
{
    Str255 t;
    GetControlTitle(c, t);
    return testkit::text(t);
}

} // namespace controls_test
