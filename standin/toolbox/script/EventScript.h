// The event script of a run (MACSIM_SCRIPT=FILE): its steps are played one at
// a time, each when the program asks for an event and none is waiting, so a
// snapshot after a click shows the click's result. Raw steps become input as
// the host would deliver it; `menu` and `click-title` find their targets on
// the screen as it is when the step runs.
#pragma once

#include "script/ScriptParser.h"

#include <string>
#include <vector>

namespace toolbox {

class EventCenter;

class EventScript {
public:
    // Loads MACSIM_SCRIPT if it is set. A missing or malformed script ends the
    // program with one line naming the file and line, exit status 1.
    void loadFromEnvironment();
    // Replaces the steps (name is used in messages). False with the error if
    // the text is not a valid script.
    bool load(const std::string& text, const std::string& name, ScriptError& error);
    void clear();

    bool hasSteps() const { return next_ < steps_.size(); }
    // The tick at which the next step may run (after a `wait`).
    UInt32 nextStepTick() const { return notBefore_; }
    EventModifiers launchKeys() const { return launchKeys_; }
    // Plays the next step. A step that cannot be played (no such menu item,
    // no such title, a snapshot that cannot be written) ends the program with
    // the script's file and line, exit status 1.
    void runNextStep(EventCenter& center);

private:
    [[noreturn]] void fail(const ScriptStep& step, const std::string& message) const;
    void click(EventCenter& center, Point where) const;

    std::string name_;
    std::vector<ScriptStep> steps_;
    size_t next_ = 0;
    UInt32 notBefore_ = 0;
    EventModifiers launchKeys_ = 0;
};

EventScript& eventScript();

} // namespace toolbox
