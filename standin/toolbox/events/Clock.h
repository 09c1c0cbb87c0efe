// The toolbox's clock in ticks (sixtieths of a second). The window host runs
// on real time; the headless host on virtual time, which moves only when the
// program waits for events, so scripted runs are fast and repeatable.
#pragma once

#include <MacTypes.h>

#include <chrono>

namespace toolbox {

class Clock {
public:
    Clock();

    void useVirtualTime(bool on);
    bool isVirtual() const { return virtual_; }

    UInt32 now() const;
    // Virtual time only: moves the clock on.
    void advance(UInt32 ticks);
    // Real time: milliseconds from now until tick `t` (0 if it has passed).
    int millisecondsUntil(UInt32 t) const;

private:
    bool virtual_ = false;
    UInt32 virtualNow_ = 1;
    std::chrono::steady_clock::time_point start_;
};

Clock& clock();

// Tick comparisons that survive the counter wrapping around.
inline bool tickReached(UInt32 now, UInt32 t)
{
    return SInt32(now - t) >= 0;
}

} // namespace toolbox
