// The controls of a pane, in the order they are drawn and offered clicks, so
// that the pane shows, hides, dims, draws and hit-tests them in one loop. The
// list does not own its controls; they are the pane's members and must
// outlive it. Any control with disable, draw, showControl,
// hideControl and handleMouseDown can join: the standard controls and radio
// groups.
#pragma once

#include <Events.h>

#include <vector>

class PControlList {
public:
    template<class Control> void add(Control& control) { entries.push_back({&control, &kOps<Control>}); }

    void disable();
    void draw();
    void showControl();
    void hideControl();
    // Offered to each control in turn until one takes it: true if one did.
    char handleMouseDown(const EventRecord* theEvent);

private:
    struct Ops {
        void (*disable)(void*);
        void (*draw)(void*);
        void (*show)(void*);
        void (*hide)(void*);
        char (*mouseDown)(void*, const EventRecord*);
    };
    template<class Control>
    static constexpr Ops kOps = {
        [](void* c) { static_cast<Control*>(c)->disable(); },
        [](void* c) { static_cast<Control*>(c)->draw(); },
        [](void* c) { static_cast<Control*>(c)->showControl(); },
        [](void* c) { static_cast<Control*>(c)->hideControl(); },
        [](void* c, const EventRecord* e) { return static_cast<Control*>(c)->handleMouseDown(e); },
    };
    struct Entry {
        void* control;
        const Ops* ops;
    };
    std::vector<Entry> entries;
};
