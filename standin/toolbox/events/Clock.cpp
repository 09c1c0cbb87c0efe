#include "events/Clock.h"

namespace toolbox {

Clock::Clock()
    : start_(std::chrono::steady_clock::now())
{
}

void Clock::useVirtualTime(bool on)
{
    if (on && !virtual_)
        virtualNow_ = now();
    virtual_ = on;
}

UInt32 Clock::now() const
{
    if (virtual_)
        return virtualNow_;
    auto elapsed = std::chrono::steady_clock::now() - start_;
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    // Ticks start at 1 so that a program's "last time" of 0 is never now.
    return UInt32(1 + ms * 60 / 1000);
}

void Clock::advance(UInt32 ticks)
{
    if (virtual_)
        virtualNow_ += ticks;
}

int Clock::millisecondsUntil(UInt32 t) const
{
    if (virtual_ || tickReached(now(), t))
        return 0;
    auto elapsed = std::chrono::steady_clock::now() - start_;
    long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    // The first millisecond at which now() reads t.
    long long target = (static_cast<long long>(t - 1) * 1000 + 59) / 60;
    return target > ms ? int(target - ms) : 0;
}

Clock& clock()
{
    static Clock theClock;
    return theClock;
}

} // namespace toolbox
