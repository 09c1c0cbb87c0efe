// The host that shows the screen on the Linux console's framebuffer (fbdev),
// with input from evdev: for a machine without a display server, such as a
// G3 or G4 booted to a text console. The 640x480 screen is centred, scaled
// by the largest whole number the display holds (MACSIM_SCALE asks for less);
// only the changed areas are converted and copied. The pointer is drawn here,
// over the copy, so the toolbox's own screen (and every snapshot) has none.
#pragma once

#include "host/Host.h"
#include "host/fbdev/FbConsole.h"
#include "host/fbdev/FbInput.h"
#include "host/fbdev/PixelFormat.h"

#include <memory>
#include <string>

namespace toolbox {

class FbHost : public Host {
public:
    FbHost(std::string device, std::string inputDirectory);
    ~FbHost() override;

    // Opens, checks, maps and takes the screen; false with the reason.
    bool start(std::string& error);

    const char* name() const override { return "framebuffer"; }
    bool usesVirtualTime() const override { return false; }
    void present(const std::vector<Rect>& areas) override;
    void collectInput(int timeoutMs, std::vector<HostInput>& out) override;
    EventModifiers launchModifiers() const override { return input_.launchModifiers(); }

private:
    bool describe(std::string& error);
    bool loadColours(std::string& error);
    void drawAll();
    void copy(const Rect& area);
    void drawPointer();
    Rect pointerBox() const;

    std::string device_;
    int fd_ = -1;
    uint8_t* memory_ = nullptr;
    size_t mapped_ = 0;
    size_t lineLength_ = 0;
    int visibleX_ = 0, visibleY_ = 0, width_ = 0, height_ = 0;
    PixelFormat format_;
    bool directColour_ = false;
    bool coloursKept_ = false;
    Placement at_;
    std::unique_ptr<PixelConverter> converter_;
    FbConsole console_;
    FbInput input_;
    Rect pointerDrawn_ {0, 0, 0, 0};
};

} // namespace toolbox
