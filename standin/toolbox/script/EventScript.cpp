#include "script/EventScript.h"

#include "events/Clock.h"
#include "events/EventCenter.h"
#include "menus/MenuBar.h"
#include "quickdraw/Framebuffer.h"
#include "windows/WindowList.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace toolbox {

void EventScript::loadFromEnvironment()
{
    const char* path = std::getenv("MACSIM_SCRIPT");
    if (!path || !*path)
        return;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "macsim: cannot read the event script %s\n", path);
        std::exit(1);
    }
    std::ostringstream text;
    text << file.rdbuf();
    ScriptError error;
    if (!load(text.str(), path, error)) {
        std::fprintf(stderr, "macsim: %s:%d: %s\n", path, error.line, error.message.c_str());
        std::exit(1);
    }
}

bool EventScript::load(const std::string& text, const std::string& name, ScriptError& error)
{
    ParsedScript parsed;
    if (!parseScript(text, parsed, error))
        return false;
    name_ = name;
    steps_ = std::move(parsed.steps);
    launchKeys_ = parsed.launchKeys;
    next_ = 0;
    notBefore_ = clock().now();
    return true;
}

void EventScript::clear()
{
    steps_.clear();
    next_ = 0;
    launchKeys_ = 0;
}

void EventScript::fail(const ScriptStep& step, const std::string& message) const
{
    std::fflush(stdout);
    std::fprintf(stderr, "macsim: %s:%d: %s\n", name_.c_str(), step.line, message.c_str());
    std::exit(1);
}

void EventScript::click(EventCenter& center, Point where) const
{
    HostInput press;
    press.kind = HostInput::Kind::MouseDown;
    press.where = where;
    center.deliver(press);
    HostInput release = press;
    release.kind = HostInput::Kind::MouseUp;
    center.deliver(release);
}

void EventScript::runNextStep(EventCenter& center)
{
    const ScriptStep step = steps_[next_++];
    HostInput input;
    input.where = step.where;
    switch (step.kind) {
    case ScriptStep::Kind::Click:
        click(center, step.where);
        break;
    case ScriptStep::Kind::Press:
        input.kind = HostInput::Kind::MouseDown;
        center.deliver(input);
        break;
    case ScriptStep::Kind::Move:
        input.kind = HostInput::Kind::MouseMove;
        center.deliver(input);
        break;
    case ScriptStep::Kind::Release:
        input.kind = HostInput::Kind::MouseUp;
        center.deliver(input);
        break;
    case ScriptStep::Kind::Key: {
        input.where = center.mouse();
        input.modifiers = step.modifiers;
        input.charCode = step.charCode;
        input.keyCode = step.keyCode;
        input.kind = HostInput::Kind::KeyDown;
        center.deliver(input);
        input.kind = HostInput::Kind::KeyUp;
        center.deliver(input);
        input.kind = HostInput::Kind::Modifiers;
        input.modifiers = 0;
        center.deliver(input);
        break;
    }
    case ScriptStep::Kind::Wait:
        notBefore_ = clock().now() + step.ticks;
        break;
    case ScriptStep::Kind::Snapshot: {
        center.present();
        std::string error;
        if (!screen().savePNG(step.text, &error))
            fail(step, "cannot write the snapshot " + step.text + ": " + error);
        break;
    }
    case ScriptStep::Kind::Layout: {
        center.present();
        std::string error;
        if (!writeLayout(step.text, error))
            fail(step, error);
        break;
    }
    case ScriptStep::Kind::Quit:
        center.postHighLevel(kCoreEventClass, kAEQuitApplication);
        break;
    case ScriptStep::Kind::Menu: {
        Point title, item;
        std::string error;
        if (!locateMenuItem(step.text, step.item, title, item, error))
            fail(step, error);
        input.kind = HostInput::Kind::MouseDown;
        input.where = title;
        center.deliver(input);
        input.kind = HostInput::Kind::MouseMove;
        input.where = item;
        center.deliver(input);
        input.kind = HostInput::Kind::MouseUp;
        center.deliver(input);
        break;
    }
    case ScriptStep::Kind::ClickTitle: {
        Point where;
        std::string error;
        if (!locateDrawnTitle(step.text, where, error))
            fail(step, error);
        click(center, where);
        break;
    }
    }
}

EventScript& eventScript()
{
    static EventScript script;
    return script;
}

} // namespace toolbox
