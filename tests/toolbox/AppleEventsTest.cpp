// Apple event handlers: installing, replacing, removing, and dispatching the
// high-level events that WaitNextEvent delivers.
#include <testkit/PString.h>
#include <testkit/Toolbox.h>

#include "events/EventCenter.h"

#include <AppleEvents.h>

#include <string>
#include <vector>

namespace {

using testkit::ToolboxTest;

std::vector<std::string> calls;

OSErr record(const AppleEvent* event, AppleEvent*, long refCon, const char* who, OSErr result)
{
    AEEventID id = 0;
    DescType type = 0;
    Size size = 0;
    AEGetAttributePtr(event, keyEventIDAttr, typeType, &type, &id, sizeof id, &size);
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += char((id >> shift) & 0xFF);
    calls.push_back(std::string(who) + " " + name + " " + std::to_string(refCon));
    return result;
}

OSErr first(const AppleEvent* e, AppleEvent* r, long refCon)
{
    return record(e, r, refCon, "first", noErr);
}
OSErr second(const AppleEvent* e, AppleEvent* r, long refCon)
{
    return record(e, r, refCon, "second", -42);
}

class AppleEventsTest : public ToolboxTest {
protected:
    void SetUp() override
    {
        ToolboxTest::SetUp();
        calls.clear();
    }
    void TearDown() override
    {
        for (AEEventID id : {kAEQuitApplication, kAEOpenApplication}) {
            AERemoveEventHandler(kCoreEventClass, id, nullptr, false);
            AERemoveEventHandler(kCoreEventClass, id, nullptr, true);
        }
        ToolboxTest::TearDown();
    }
    static EventRecord highLevel(AEEventID id)
    {
        EventRecord e {};
        e.what = kHighLevelEvent;
        e.message = kCoreEventClass;
        e.where.v = SInt16(id >> 16);
        e.where.h = SInt16(id & 0xFFFF);
        return e;
    }
};

TEST_F(AppleEventsTest, DeliveredEventReachesItsHandlerWithTheReferenceConstant)
{
    ASSERT_EQ(
        AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, NewAEEventHandlerUPP(first), 77, false),
        noErr);
    toolbox::EventCenter::get().postHighLevel(kCoreEventClass, kAEQuitApplication);
    EventRecord e;
    ASSERT_TRUE(WaitNextEvent(everyEvent, &e, 0, nullptr));
    ASSERT_EQ(e.what, kHighLevelEvent);
    EXPECT_EQ(AEProcessAppleEvent(&e), noErr);
    EXPECT_EQ(calls, std::vector<std::string> {"first quit 77"});
}

TEST_F(AppleEventsTest, InstallingAgainReplacesAndRemovingNeedsTheSameRoutine)
{
    EventRecord e = highLevel(kAEQuitApplication);
    EXPECT_EQ(AEProcessAppleEvent(&e), errAEEventNotHandled);
    EventRecord key {};
    key.what = keyDown;
    EXPECT_EQ(AEProcessAppleEvent(&key), errAENotAppleEvent);

    AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, first, 1, false);
    AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, second, 2, false);
    EXPECT_EQ(AEProcessAppleEvent(&e), -42) << "the handler's result comes back";
    EXPECT_EQ(calls, std::vector<std::string> {"second quit 2"});
    EXPECT_EQ(AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, first, false), errAEHandlerNotFound);
    EXPECT_EQ(AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, second, true), errAEHandlerNotFound);
    EXPECT_EQ(AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, second, false), noErr);
    EXPECT_EQ(AEProcessAppleEvent(&e), errAEEventNotHandled);
}

TEST_F(AppleEventsTest, ApplicationHandlerComesBeforeTheSystemHandler)
{
    AEInstallEventHandler(kCoreEventClass, kAEOpenApplication, second, 2, true);
    EventRecord e = highLevel(kAEOpenApplication);
    AEProcessAppleEvent(&e);
    AEInstallEventHandler(kCoreEventClass, kAEOpenApplication, first, 1, false);
    AEProcessAppleEvent(&e);
    EXPECT_EQ(calls, (std::vector<std::string> {"second oapp 2", "first oapp 1"}));
    AEEventHandlerUPP handler = nullptr;
    long refCon = 0;
    EXPECT_EQ(AEGetEventHandler(kCoreEventClass, kAEOpenApplication, &handler, &refCon, true), noErr);
    EXPECT_EQ(handler, &second);
    EXPECT_EQ(refCon, 2);
}

} // namespace
