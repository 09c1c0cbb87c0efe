// The host without a display: nothing is shown and no input arrives except
// what an event script supplies; time is virtual. With MACSIM_FRAMES=DIR every
// presented frame is also saved as DIR/frame-NNNN.png, to see what a failing
// scripted run did.
#pragma once

#include "host/Host.h"

#include <string>

namespace toolbox {

class HeadlessHost : public Host {
public:
    HeadlessHost();

    const char* name() const override { return "headless"; }
    bool usesVirtualTime() const override { return true; }
    void present(const std::vector<Rect>& areas) override;
    void collectInput(int timeoutMs, std::vector<HostInput>& out) override;

private:
    std::string framesDirectory_;
    int frameNumber_ = 0;
};

} // namespace toolbox
