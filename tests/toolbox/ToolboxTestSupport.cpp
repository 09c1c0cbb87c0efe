#include "ToolboxTestSupport.h"

#include "events/EventCenter.h"
#include "menus/MenuBar.h"
#include "quickdraw/Framebuffer.h"
#include "screen/Desktop.h"
#include "script/EventScript.h"

#include <cstdlib>
#include <cstring>

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
    return NewCWindow(nullptr, &bounds, testkit::pstr(title).c_str(), true, procID,
        reinterpret_cast<WindowRef>(-1), goAway, 0);
}

MenuRef ToolboxTest::newMenu(MenuID id, const char* title, const char* items)
{
    MenuRef m = NewMenu(id, testkit::pstr(title).c_str());
    AppendMenu(m, testkit::pstr(items).c_str());
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
