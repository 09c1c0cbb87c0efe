#include "testkit/Toolbox.h"

#include "testkit/PString.h"

#include "events/EventCenter.h"
#include "menus/MenuBar.h"
#include "quickdraw/Framebuffer.h"
#include "screen/Desktop.h"
#include "script/EventScript.h"

#include <cstdlib>

namespace testkit {

namespace {

void deliver(toolbox::HostInput::Kind kind, short h, short v)
{
    toolbox::HostInput in;
    in.kind = kind;
    in.where = Point {v, h};
    toolbox::EventCenter::get().deliver(in);
}

} // namespace

void ToolboxTest::SetUp()
{
    setenv("MACSIM_DISPLAY", "headless", 1);
    unsetenv("MACSIM_SCRIPT");
    unsetenv("MACSIM_KEYS");
    toolbox::eventScript().clear();
    toolbox::EventCenter::get().setQuitAtScriptEnd(false);
    toolbox::EventCenter::get().reset();
}

void ToolboxTest::TearDown()
{
    while (!toolbox::desktop().frontToBack().empty())
        DisposeWindow(toolbox::desktop().frontToBack().front());
    auto live = toolbox::menuBar().live;
    for (MenuRef m : live) {
        DeleteMenu(GetMenuID(m));
        DisposeMenu(m);
    }
    toolbox::eventScript().clear();
    toolbox::EventCenter::get().reset();
}

void ToolboxTest::playScript(const std::string& text)
{
    toolbox::ScriptError error;
    ASSERT_TRUE(toolbox::eventScript().load(text, "test", error)) << error.line << ": " << error.message;
    toolbox::EventCenter::get().reset();
}

WindowRef ToolboxTest::newWindow(
    short left, short top, short right, short bottom, short procID, bool goAway, const char* title)
{
    Rect bounds {top, left, bottom, right};
    return NewCWindow(
        nullptr, &bounds, pstr(title).c_str(), true, procID, reinterpret_cast<WindowRef>(-1), goAway, 0);
}

MenuRef ToolboxTest::newMenu(MenuID id, const char* title, const char* items)
{
    MenuRef m = NewMenu(id, pstr(title).c_str());
    AppendMenu(m, pstr(items).c_str());
    InsertMenu(m, 0);
    DrawMenuBar();
    return m;
}

void ToolboxTest::settle()
{
    EventRecord e;
    while (GetNextEvent(updateMask, &e)) {
        BeginUpdate(reinterpret_cast<WindowRef>(e.message));
        EndUpdate(reinterpret_cast<WindowRef>(e.message));
    }
}

EventRecord ToolboxTest::nextEvent()
{
    EventRecord event;
    WaitNextEvent(everyEvent, &event, 1, nullptr);
    return event;
}

UInt32 ToolboxTest::screenPixel(int h, int v)
{
    return toolbox::screen().pixel(h, v);
}

void ToolboxTest::press(short h, short v)
{
    deliver(toolbox::HostInput::Kind::MouseDown, h, v);
}

void ToolboxTest::move(short h, short v)
{
    deliver(toolbox::HostInput::Kind::MouseMove, h, v);
}

void ToolboxTest::release(short h, short v)
{
    deliver(toolbox::HostInput::Kind::MouseUp, h, v);
}

void ToolboxTest::click(short h, short v)
{
    press(h, v);
    release(h, v);
}

void ToolboxTest::key(char charCode, unsigned char keyCode, EventModifiers modifiers)
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

} // namespace testkit
