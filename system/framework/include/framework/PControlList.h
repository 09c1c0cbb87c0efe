// The controls of a pane, in the order they are drawn and offered clicks, so
// that the pane shows, hides, dims, draws and hit-tests them in one loop. The
// list does not own its controls; they are the pane's members and outlive it.
// Any control with disable, draw, showControl, hideControl and
// handleMouseDown can join: the standard controls and radio groups.
#pragma once

#include <Events.h>

#include <vector>

class PControlList {
public:
    template<class Control> void add(Control& control) { entries.push_back({&control, &apply<Control>}); }

    void disable() { each(Op::disable, nullptr); }
    void draw() { each(Op::draw, nullptr); }
    void showControl() { each(Op::show, nullptr); }
    void hideControl() { each(Op::hide, nullptr); }
    // Offered to each control in turn until one takes it: true if one did.
    char handleMouseDown(const EventRecord* theEvent) { return each(Op::mouseDown, theEvent); }

private:
    enum class Op { disable, draw, show, hide, mouseDown };
    struct Entry {
        void* control;
        char (*apply)(void* control, Op op, const EventRecord* theEvent);
    };

    template<class Control> static char apply(void* c, Op op, const EventRecord* theEvent)
    {
        Control* control = static_cast<Control*>(c);
        switch (op) {
        case Op::disable:
            control->disable();
            break;
        case Op::draw:
            control->draw();
            break;
        case Op::show:
            control->showControl();
            break;
        case Op::hide:
            control->hideControl();
            break;
        case Op::mouseDown:
            return control->handleMouseDown(theEvent);
        }
        return false;
    }

    // Stops at the first control that takes the operation (only a click is taken).
    char each(Op op, const EventRecord* theEvent)
    {
        for (const Entry& e : entries) {
            if (e.apply(e.control, op, theEvent))
                return true;
        }
        return false;
    }

    std::vector<Entry> entries;
};
