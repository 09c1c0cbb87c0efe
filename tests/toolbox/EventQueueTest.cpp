// The Event Manager as a program sees it on the headless host: order of
// delivery, masks, the virtual clock, scripted input, the key map and the
// mouse while it is held. (How a headless run ends with its script, and
// MACSIM_KEYS, are the framework tests' part: they run a whole program.)
#include <testkit/PString.h>
#include <testkit/Toolbox.h>

#include "events/EventCenter.h"

#include <Quickdraw.h>

namespace {

using testkit::ToolboxTest;

class EventQueueTest : public ToolboxTest { };

TEST_F(EventQueueTest, MasksPickEventsOutOfOrderAndFlushStopsAtTheStopMask)
{
    ASSERT_EQ(PostEvent(mouseDown, 0), noErr);
    ASSERT_EQ(PostEvent(keyDown, 0x0C71), noErr);
    ASSERT_EQ(PostEvent(app1Evt, 7), noErr);
    EventRecord e;
    ASSERT_TRUE(GetNextEvent(keyDownMask, &e));
    EXPECT_EQ(e.what, keyDown);
    EXPECT_EQ(e.message, 0x0C71u);
    ASSERT_TRUE(EventAvail(everyEvent, &e));
    EXPECT_EQ(e.what, mouseDown);
    PostEvent(keyDown, 'b');
    FlushEvents(keyDownMask | mDownMask, 1 << app1Evt); // the mouse-down goes, 'b' stays behind app1
    ASSERT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, app1Evt);
    EXPECT_EQ(e.message, 7u);
    ASSERT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.message, unsigned('b'));
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, nullEvent);
    EXPECT_EQ(PostEvent(updateEvt, 0), 1) << "programs cannot post updates";
    EXPECT_EQ(PostEvent(kHighLevelEvent, 0), 1);
}

TEST_F(EventQueueTest, WaitingWithNothingQueuedMovesVirtualTimeBySleep)
{
    UInt32 start = TickCount();
    EventRecord e;
    EXPECT_FALSE(WaitNextEvent(everyEvent, &e, 30, nullptr));
    EXPECT_EQ(TickCount() - start, 30u);
    EXPECT_EQ(e.when, start + 30);
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(TickCount() - start, 31u) << "polling without sleep still lets a tick pass";
}

TEST_F(EventQueueTest, InputThenUpdatesThenHighLevelEvents)
{
    WindowRef w = newWindow(100, 100, 200, 200);
    settle();
    Rect r {0, 0, 10, 10};
    InvalWindowRect(w, &r);
    toolbox::EventCenter::get().postHighLevel('aevt', 'quit');
    PostEvent(keyDown, 'x');

    EventRecord e;
    ASSERT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, keyDown);
    ASSERT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, updateEvt);
    EXPECT_EQ(e.message, reinterpret_cast<unsigned long>(w));
    ASSERT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, updateEvt) << "the update repeats until BeginUpdate";
    BeginUpdate(w);
    EndUpdate(w);
    ASSERT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, kHighLevelEvent);
    EXPECT_EQ(e.message, unsigned('aevt'));
    EXPECT_EQ((UInt32(UInt16(e.where.v)) << 16) | UInt16(e.where.h), unsigned('quit'));
}

TEST_F(EventQueueTest, ScriptedKeysCarryCharacterKeyCodeAndModifiers)
{
    playScript("key option a\nkey cmd shift q\n");
    EventRecord e = nextEvent();
    EXPECT_EQ(e.what, keyDown);
    EXPECT_EQ(e.message, 0x0061u);
    EXPECT_EQ(e.modifiers, 0x0880) << "option, button up";
    e = nextEvent();
    EXPECT_EQ(e.what, keyUp);
    e = nextEvent();
    EXPECT_EQ(e.what, keyDown);
    EXPECT_EQ(e.message, 0x0C51u);
    EXPECT_EQ(e.modifiers, 0x0380);
}

TEST_F(EventQueueTest, ClickGivesGlobalPointAndButtonState)
{
    playScript("click 300 200\n");
    EventRecord e = nextEvent();
    EXPECT_EQ(e.what, mouseDown);
    EXPECT_EQ(e.where.h, 300);
    EXPECT_EQ(e.where.v, 200);
    EXPECT_EQ(e.modifiers, 0) << "btnState is clear while the button is down";
    e = nextEvent();
    EXPECT_EQ(e.what, mouseUp);
    EXPECT_EQ(e.modifiers, 0x0080);
}

TEST_F(EventQueueTest, OptionHeldAtLaunchReadsInTheKeyMapUntilInputArrives)
{
    playScript("keys option\nclick 10 300\n");
    KeyMap keys;
    GetKeys(keys);
    const auto* bytes = reinterpret_cast<const UInt8*>(keys);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(bytes[i], i == 7 ? 0x04 : 0x00) << "byte " << i;
    nextEvent();
    GetKeys(keys);
    EXPECT_EQ(bytes[7], 0x00);
}

TEST_F(EventQueueTest, WaitStepHoldsTheRestOfTheScriptForItsTicks)
{
    playScript("wait 120\nkey a\n");
    UInt32 start = TickCount();
    EventRecord e;
    EXPECT_FALSE(WaitNextEvent(everyEvent, &e, 60, nullptr));
    EXPECT_EQ(e.when - start, 60u);
    EXPECT_TRUE(WaitNextEvent(everyEvent, &e, 600, nullptr));
    EXPECT_EQ(e.what, keyDown);
    EXPECT_EQ(e.when - start, 120u);
}

TEST_F(EventQueueTest, StillDownFollowsTheScriptedMouseUntilRelease)
{
    WindowRef w = newWindow(100, 100, 300, 300);
    settle();
    SetPortWindowPort(w);
    playScript("press 150 150\nmove 160 170\nrelease 170 180\n");
    EventRecord e = nextEvent();
    ASSERT_EQ(e.what, mouseDown);
    EXPECT_TRUE(StillDown());
    Point p;
    GetMouse(&p);
    EXPECT_EQ(p.h, 60) << "local to the window's port";
    EXPECT_EQ(p.v, 70);
    EXPECT_FALSE(StillDown()) << "the release is queued";
    EXPECT_FALSE(Button());
    EXPECT_FALSE(WaitMouseUp());
    EXPECT_FALSE(GetNextEvent(mUpMask, &e)) << "WaitMouseUp took the mouse-up";
}

} // namespace
