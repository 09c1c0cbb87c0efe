#include "events/EventCenter.h"

#include "events/Clock.h"
#include "events/KeyCodes.h"
#include "events/QuitSignals.h"
#include "menus/MenuBar.h"
#include "screen/Desktop.h"
#include "script/EventScript.h"
#include "windows/WindowList.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace toolbox {

namespace {

// How long a headless program may keep waiting after its script ended and
// 'quit' was sent, before the run is declared stuck (virtual ticks).
constexpr UInt32 kGraceAfterScript = 600;
// The Mac's event queue is small; an unread event is dropped, oldest first.
constexpr size_t kQueueCapacity = 64;

const char* currentLabel = nullptr;

std::unique_ptr<EventCenter>& instance()
{
    static std::unique_ptr<EventCenter> center;
    return center;
}

EventModifiers modifiersFromEnvironment()
{
    const char* keys = std::getenv("MACSIM_KEYS");
    if (!keys)
        return 0;
    EventModifiers mods = 0;
    std::string list = keys;
    size_t pos = 0;
    while (pos <= list.size()) {
        size_t end = list.find_first_of(", ", pos);
        if (end == std::string::npos)
            end = list.size();
        std::string name = list.substr(pos, end - pos);
        if (name == "option" || name == "alt")
            mods |= optionKey;
        else if (name == "shift")
            mods |= shiftKey;
        else if (name == "cmd" || name == "command")
            mods |= cmdKey;
        else if (name == "control" || name == "ctrl")
            mods |= controlKey;
        else if (!name.empty())
            std::fprintf(stderr, "macsim: MACSIM_KEYS: unknown key \"%s\" (option, shift, cmd, control)\n",
                name.c_str());
        pos = end + 1;
    }
    return mods;
}

void setKeyBit(UInt8 keys[16], UInt8 code, bool down)
{
    UInt8 bit = UInt8(1u << (code & 7));
    if (down)
        keys[code >> 3] |= bit;
    else
        keys[code >> 3] &= UInt8(~bit);
}

} // namespace

WaitLabel::WaitLabel(const char* what)
    : previous_(currentLabel)
{
    currentLabel = what;
}

WaitLabel::~WaitLabel()
{
    currentLabel = previous_;
}

const char* WaitLabel::current(const char* fallback)
{
    return currentLabel ? currentLabel : fallback;
}

EventCenter& EventCenter::get()
{
    auto& center = instance();
    if (!center) {
        center.reset(new EventCenter());
        center->start();
    }
    return *center;
}

bool EventCenter::exists()
{
    return instance() != nullptr;
}

EventCenter::EventCenter() = default;

void EventCenter::start()
{
    Host& h = host();
    clock().useVirtualTime(h.usesVirtualTime());
    hostModifiers_ = h.launchModifiers();
    if (h.usesVirtualTime())
        installQuitSignals();
    eventScript().loadFromEnvironment();
    launchModifiers_ = modifiersFromEnvironment() | eventScript().launchKeys();
    desktop().ensureDrawn();
    postHighLevel(kCoreEventClass, kAEOpenApplication);
}

void EventCenter::pollInput()
{
    if (takeQuitSignal())
        postHighLevel(kCoreEventClass, kAEQuitApplication);
    Host& h = host();
    if (h.usesVirtualTime())
        return;
    std::vector<HostInput> inputs;
    h.collectInput(0, inputs);
    for (const auto& in : inputs)
        deliver(in);
}

void EventCenter::deliver(const HostInput& in)
{
    // Keys named as held at launch are let go at the first click or key.
    if (in.kind != HostInput::Kind::MouseMove && in.kind != HostInput::Kind::Modifiers
        && in.kind != HostInput::Kind::QuitRequest)
        launchModifiers_ = 0;
    hostModifiers_ = in.modifiers;

    EventRecord event {};
    event.when = clock().now();
    event.where = in.where;
    switch (in.kind) {
    case HostInput::Kind::MouseMove:
        mouse_ = in.where;
        return;
    case HostInput::Kind::Modifiers:
        return;
    case HostInput::Kind::QuitRequest:
        postHighLevel(kCoreEventClass, kAEQuitApplication);
        return;
    case HostInput::Kind::MouseDown:
        mouse_ = in.where;
        button_ = true;
        event.what = mouseDown;
        break;
    case HostInput::Kind::MouseUp:
        mouse_ = in.where;
        button_ = false;
        event.what = mouseUp;
        break;
    case HostInput::Kind::KeyDown:
    case HostInput::Kind::AutoKey:
        setKeyBit(keys_, in.keyCode, true);
        event.what = in.kind == HostInput::Kind::KeyDown ? keyDown : autoKey;
        event.message = in.charCode | (unsigned long)(in.keyCode) << 8;
        event.where = mouse_;
        break;
    case HostInput::Kind::KeyUp:
        setKeyBit(keys_, in.keyCode, false);
        event.what = keyUp;
        event.message = in.charCode | (unsigned long)(in.keyCode) << 8;
        event.where = mouse_;
        break;
    }
    event.modifiers = modifiers();
    enqueue(event);
}

void EventCenter::reset()
{
    queue_.clear();
    highLevel_.clear();
    button_ = false;
    for (auto& byte : keys_)
        byte = 0;
    hostModifiers_ = 0;
    launchModifiers_ = modifiersFromEnvironment() | eventScript().launchKeys();
    closingQuitPosted_ = false;
    ticksWaitedAfterScript_ = 0;
}

void EventCenter::holdLaunchKeys(EventModifiers mods)
{
    launchModifiers_ |= mods;
}

void EventCenter::enqueue(const EventRecord& event)
{
    if (queue_.size() >= kQueueCapacity)
        queue_.pop_front();
    queue_.push_back(event);
}

EventModifiers EventCenter::heldModifiers() const
{
    return EventModifiers(
        (hostModifiers_ | launchModifiers_) & (cmdKey | shiftKey | alphaLock | optionKey | controlKey));
}

EventModifiers EventCenter::modifiers() const
{
    return EventModifiers(heldModifiers() | (button_ ? 0 : btnState));
}

void EventCenter::keyMap(UInt8 out[16]) const
{
    for (int i = 0; i < 16; ++i)
        out[i] = keys_[i];
    EventModifiers held = heldModifiers();
    setKeyBit(out, kKeyCommand, held & cmdKey);
    setKeyBit(out, kKeyShift, held & shiftKey);
    setKeyBit(out, kKeyCapsLock, held & alphaLock);
    setKeyBit(out, kKeyOption, held & optionKey);
    setKeyBit(out, kKeyControl, held & controlKey);
}

OSErr EventCenter::post(EventKind what, unsigned long message)
{
    if (what == updateEvt || what == kHighLevelEvent || what == nullEvent || what > osEvt)
        return evtNotEnb;
    EventRecord event {};
    event.what = what;
    event.message = message;
    event.when = clock().now();
    event.where = mouse_;
    event.modifiers = modifiers();
    enqueue(event);
    return noErr;
}

void EventCenter::postHighLevel(AEEventClass eventClass, AEEventID eventID)
{
    EventRecord event {};
    event.what = kHighLevelEvent;
    event.message = eventClass;
    event.where.v = SInt16(eventID >> 16);
    event.where.h = SInt16(eventID & 0xFFFF);
    event.when = clock().now();
    event.modifiers = modifiers();
    highLevel_.push_back(event);
}

void EventCenter::flush(EventMask which, EventMask stop)
{
    for (auto it = queue_.begin(); it != queue_.end();) {
        EventMask bit = EventMask(1u << it->what);
        if (bit & stop)
            break;
        if (bit & which)
            it = queue_.erase(it);
        else
            ++it;
    }
}

bool EventCenter::takeQueued(EventMask mask, bool remove, EventRecord& out)
{
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (EventMask(1u << it->what) & mask) {
            out = *it;
            if (remove)
                queue_.erase(it);
            return true;
        }
    }
    return false;
}

bool EventCenter::takeHighLevel(bool remove, EventRecord& out)
{
    if (highLevel_.empty())
        return false;
    out = highLevel_.front();
    if (remove)
        highLevel_.pop_front();
    return true;
}

bool EventCenter::advanceScript()
{
    // The program has nothing left to do but wait: what it drew shows now,
    // before the script acts on it.
    EventScript& script = eventScript();
    if (script.hasSteps()) {
        if (!tickReached(clock().now(), script.nextStepTick()))
            return false;
        present();
        script.runNextStep(*this);
        return true;
    }
    if (clock().isVirtual() && quitAtScriptEnd_ && !closingQuitPosted_) {
        present();
        closingQuitPosted_ = true;
        postHighLevel(kCoreEventClass, kAEQuitApplication);
        return true;
    }
    return false;
}

bool EventCenter::scriptWaiting(UInt32& nextTick) const
{
    const EventScript& script = eventScript();
    if (!script.hasSteps())
        return false;
    nextTick = script.nextStepTick();
    return true;
}

void EventCenter::present()
{
    flushMenuBar();
    presentScreen();
}

void EventCenter::waitUntil(UInt32 until, const char* caller)
{
    present();
    UInt32 now = clock().now();
    if (clock().isVirtual()) {
        passVirtualTime(tickReached(now, until) ? 1 : until - now, caller);
        return;
    }
    std::vector<HostInput> inputs;
    host().collectInput(clock().millisecondsUntil(until), inputs);
    for (const auto& in : inputs)
        deliver(in);
}

void EventCenter::passVirtualTime(UInt32 ticks, const char* caller)
{
    clock().advance(ticks);
    if (closingQuitPosted_) {
        ticksWaitedAfterScript_ += ticks;
        if (ticksWaitedAfterScript_ > kGraceAfterScript)
            stillWaiting(caller, "");
    }
}

void EventCenter::stillWaiting(const char* caller, const char* why)
{
    std::fflush(stdout);
    std::fprintf(stderr,
        "macsim: the event script has ended%s, but the program still waits for input in %s\n", why,
        WaitLabel::current(caller));
    std::exit(1);
}

bool EventCenter::nextEvent(
    EventMask mask, UInt32 sleepTicks, bool remove, EventRecord& out, const char* caller)
{
    const UInt32 deadline = clock().now() + sleepTicks;
    for (;;) {
        pollInput();
        if (takeQueued(mask, remove, out))
            return true;
        if ((mask & updateMask) && nextUpdateEvent(out)) {
            out.when = clock().now();
            out.where = mouse_;
            out.modifiers = modifiers();
            return true;
        }
        if ((mask & highLevelEventMask) && takeHighLevel(remove, out))
            return true;
        if (advanceScript())
            continue;
        UInt32 now = clock().now();
        if (tickReached(now, deadline)) {
            // A program that polls without sleeping still lets time pass.
            if (sleepTicks == 0 && clock().isVirtual()) {
                present();
                passVirtualTime(1, caller);
            }
            break;
        }
        UInt32 until = deadline;
        UInt32 stepTick;
        if (scriptWaiting(stepTick) && SInt32(stepTick - until) < 0)
            until = stepTick;
        waitUntil(until, caller);
    }
    out = EventRecord {};
    out.what = nullEvent;
    out.when = clock().now();
    out.where = mouse_;
    out.modifiers = modifiers();
    return false;
}

bool EventCenter::mouseEventQueued(bool removeMouseUp)
{
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->what == mouseDown)
            return true;
        if (it->what == mouseUp) {
            if (removeMouseUp)
                queue_.erase(it);
            return true;
        }
    }
    return false;
}

bool EventCenter::queuedMouseUp(Point& where) const
{
    for (const auto& event : queue_) {
        if (event.what == mouseDown)
            return false;
        if (event.what == mouseUp) {
            where = event.where;
            return true;
        }
    }
    return false;
}

void EventCenter::letTrackingTimePass(const char* caller)
{
    UInt32 now = clock().now();
    UInt32 stepTick;
    if (scriptWaiting(stepTick)) {
        if (tickReached(now, stepTick))
            advanceScript();
        else
            waitUntil(now + 1, caller);
        return;
    }
    if (clock().isVirtual() && quitAtScriptEnd_)
        stillWaiting(caller, " with the mouse button held");
    waitUntil(now + 1, caller);
}

bool EventCenter::stillDown(bool removeMouseUp, const char* caller)
{
    pollInput();
    if (mouseEventQueued(removeMouseUp) || !button_)
        return false;
    letTrackingTimePass(caller);
    pollInput();
    return button_ && !mouseEventQueued(removeMouseUp);
}

bool EventCenter::button(const char* caller)
{
    pollInput();
    if (button_ && !mouseEventQueued(false)) {
        letTrackingTimePass(caller);
        pollInput();
    }
    return button_;
}

} // namespace toolbox
