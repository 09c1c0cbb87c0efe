// Keyboards and pointers read through evdev (/dev/input/event*), chosen by
// what each device reports it can do: keys of a keyboard, relative motion of
// a mouse, absolute axes of a tablet or touch screen (with their ranges).
// Devices that appear later (USB, or drivers that finish probing after the
// program started) are picked up when their node is created or made
// readable. Touchpads, which report absolute finger positions, are left out.
//
// A relative pointer moves one screen pixel a count, the speed the console
// mouse has, and stays on the Mac's screen; an absolute one spans the whole
// display. The keyboard types the US layout.
#pragma once

#include "host/Host.h"

#include <poll.h>

#include <map>
#include <string>
#include <vector>

namespace toolbox {

// Where the Mac screen lies on the visible display, in display pixels.
struct PointerArea {
    int displayWidth = 640;
    int displayHeight = 480;
    int left = 0;
    int top = 0;
    int scale = 1;
};

class FbInput {
public:
    explicit FbInput(std::string directory);
    ~FbInput();
    FbInput(const FbInput&) = delete;
    FbInput& operator=(const FbInput&) = delete;

    void start(const PointerArea& area);
    // Appends what to wait on; the return is how long at most (-1: no limit).
    int descriptors(std::vector<pollfd>& out);
    // Reads what the descriptors have, appending the Mac's input.
    void read(std::vector<HostInput>& out);
    // Drops whatever arrived (input meant for another terminal).
    void discard();

    Point mouse() const;
    EventModifiers modifiers() const;
    // Modifier keys held when the devices were first opened.
    EventModifiers launchModifiers() const { return launchModifiers_; }
    // A terminal asked for with Ctrl-Alt-F<n>, or 0; cleared when read.
    int takeTerminalRequest();

private:
    struct Device {
        int fd = -1;
        bool keyboard = false;
        bool relative = false;
        bool absolute = false;
        int xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    };

    void scan();
    void watch();
    bool open(const std::string& name);
    void readDevice(Device& device, std::vector<HostInput>& out);
    void key(unsigned code, int value, std::vector<HostInput>& out);
    void moveTo(int x, int y);
    void flushMotion(std::vector<HostInput>& out);
    void endFrame(std::vector<HostInput>& out);
    HostInput input(HostInput::Kind kind) const;

    std::string directory_;
    PointerArea area_;
    std::map<std::string, Device> devices_;
    int watch_ = -1;
    bool watching_ = false;
    int x_ = 0, y_ = 0; // display pixels
    bool moved_ = false;
    std::vector<bool> buttons_; // changes of the frame being read
    std::vector<unsigned> heldModifierKeys_;
    bool capsLock_ = false;
    EventModifiers launchModifiers_ = 0;
    bool opened_ = false;
    int terminalRequest_ = 0;
};

} // namespace toolbox
