#include "host/fbdev/FbInput.h"

#include "host/KeyPositions.h"
#include "quickdraw/Framebuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace toolbox {

namespace {

// Without a watch on the folder (it does not exist yet), look again this often.
constexpr int kRescanMs = 1000;

// evdev hands its bitmaps out as arrays of longs, bit n in long n / width:
// read as bytes they hold the wrong bits on a big-endian processor.
template<size_t Bits> struct BitSet {
    static constexpr size_t kLongBits = 8 * sizeof(unsigned long);
    unsigned long words[(Bits + kLongBits - 1) / kLongBits] = {};
    static constexpr size_t kBytes = sizeof words;
    bool has(unsigned bit) const { return bit < Bits && (words[bit / kLongBits] >> (bit % kLongBits) & 1); }
};

template<size_t Bits> BitSet<Bits> query(int fd, unsigned long request)
{
    BitSet<Bits> set;
    if (ioctl(fd, request, set.words) < 0)
        std::memset(set.words, 0, sizeof set.words);
    return set;
}

} // namespace

FbInput::FbInput(std::string directory)
    : directory_(std::move(directory))
{
}

FbInput::~FbInput()
{
    for (auto& [name, device] : devices_)
        close(device.fd);
    if (watch_ >= 0)
        close(watch_);
}

void FbInput::start(const PointerArea& area)
{
    area_ = area;
    x_ = area.left + Framebuffer::kWidth * area.scale / 2;
    y_ = area.top + Framebuffer::kHeight * area.scale / 2;
    // The toolbox learns where the pointer starts with the first input.
    moved_ = true;
    watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    watch();
    scan();
    opened_ = true;
}

void FbInput::watch()
{
    if (watch_ >= 0 && !watching_)
        watching_ = inotify_add_watch(watch_, directory_.c_str(), IN_CREATE | IN_ATTRIB) >= 0;
}

void FbInput::scan()
{
    DIR* dir = opendir(directory_.c_str());
    if (!dir)
        return;
    while (dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, "event", 5) == 0 && !devices_.count(entry->d_name))
            open(entry->d_name);
    }
    closedir(dir);
}

bool FbInput::open(const std::string& name)
{
    const std::string path = directory_ + "/" + name;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto types = query<EV_CNT>(fd, EVIOCGBIT(0, BitSet<EV_CNT>::kBytes));
    const auto keys = query<KEY_CNT>(fd, EVIOCGBIT(EV_KEY, BitSet<KEY_CNT>::kBytes));
    const auto rel = query<REL_CNT>(fd, EVIOCGBIT(EV_REL, BitSet<REL_CNT>::kBytes));
    const auto abs = query<ABS_CNT>(fd, EVIOCGBIT(EV_ABS, BitSet<ABS_CNT>::kBytes));
    const auto props = query<INPUT_PROP_CNT>(fd, EVIOCGPROP(BitSet<INPUT_PROP_CNT>::kBytes));

    Device device;
    device.fd = fd;
    device.keyboard = types.has(EV_KEY) && keys.has(KEY_A) && keys.has(KEY_ENTER);
    const bool button = keys.has(BTN_LEFT) || keys.has(BTN_TOUCH);
    device.relative = types.has(EV_REL) && rel.has(REL_X) && rel.has(REL_Y) && button;
    const bool touchpad = props.has(INPUT_PROP_POINTER) && keys.has(BTN_TOOL_FINGER);
    device.absolute = types.has(EV_ABS) && abs.has(ABS_X) && abs.has(ABS_Y) && button && !touchpad;
    input_absinfo x {}, y {};
    if (device.absolute && ioctl(fd, EVIOCGABS(ABS_X), &x) == 0 && ioctl(fd, EVIOCGABS(ABS_Y), &y) == 0
        && x.maximum > x.minimum && y.maximum > y.minimum) {
        device.xMin = x.minimum;
        device.xMax = x.maximum;
        device.yMin = y.minimum;
        device.yMax = y.maximum;
    } else {
        device.absolute = false;
    }
    if (!device.keyboard && !device.relative && !device.absolute) {
        close(fd);
        // Kept as seen, so a rescan does not open it again.
        device.fd = -1;
        devices_[name] = device;
        return false;
    }
    if (device.keyboard) {
        const auto held = query<KEY_CNT>(fd, EVIOCGKEY(BitSet<KEY_CNT>::kBytes));
        const auto leds = query<LED_CNT>(fd, EVIOCGLED(BitSet<LED_CNT>::kBytes));
        for (unsigned code = 0; code < KEY_CNT; ++code) {
            const KeyPosition* key = held.has(code) ? keyByLinuxCode(code) : nullptr;
            if (key && key->modifier && key->modifier != alphaLock)
                heldModifierKeys_.push_back(code);
        }
        capsLock_ = capsLock_ || leds.has(LED_CAPSL);
        if (!opened_)
            launchModifiers_ = modifiers();
    }
    devices_[name] = device;
    return true;
}

int FbInput::descriptors(std::vector<pollfd>& out)
{
    if (watch_ >= 0)
        out.push_back(pollfd {watch_, POLLIN, 0});
    for (const auto& [name, device] : devices_) {
        if (device.fd >= 0)
            out.push_back(pollfd {device.fd, POLLIN, 0});
    }
    return watching_ ? -1 : kRescanMs;
}

void FbInput::read(std::vector<HostInput>& out)
{
    // A created or re-permitted node, or no watch yet: look again.
    char buffer[4096];
    bool changed = !watching_;
    while (watch_ >= 0 && ::read(watch_, buffer, sizeof buffer) > 0)
        changed = true;
    if (changed) {
        watch();
        for (auto it = devices_.begin(); it != devices_.end();) {
            // Nodes that were neither input we use nor openable are tried again.
            it = it->second.fd < 0 ? devices_.erase(it) : std::next(it);
        }
        scan();
    }
    for (auto it = devices_.begin(); it != devices_.end();) {
        if (it->second.fd >= 0)
            readDevice(it->second, out);
        if (it->second.fd < 0 && (it->second.keyboard || it->second.relative || it->second.absolute))
            it = devices_.erase(it); // unplugged
        else
            ++it;
    }
    flushMotion(out);
}

void FbInput::discard()
{
    std::vector<HostInput> ignored;
    read(ignored);
    heldModifierKeys_.clear();
}

void FbInput::readDevice(Device& device, std::vector<HostInput>& out)
{
    input_event events[64];
    for (;;) {
        ssize_t n = ::read(device.fd, events, sizeof events);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0 || errno == ENODEV) {
                close(device.fd);
                device.fd = -1;
            }
            return;
        }
        for (size_t i = 0; i < size_t(n) / sizeof(input_event); ++i) {
            const input_event& e = events[i];
            const int width = area_.displayWidth, height = area_.displayHeight;
            if (e.type == EV_REL && device.relative && e.code == REL_X)
                moveTo(x_ + e.value, y_);
            else if (e.type == EV_REL && device.relative && e.code == REL_Y)
                moveTo(x_, y_ + e.value);
            else if (e.type == EV_ABS && device.absolute && e.code == ABS_X)
                moveTo(
                    int((long long)(e.value - device.xMin) * (width - 1) / (device.xMax - device.xMin)), y_);
            else if (e.type == EV_ABS && device.absolute && e.code == ABS_Y)
                moveTo(
                    x_, int((long long)(e.value - device.yMin) * (height - 1) / (device.yMax - device.yMin)));
            else if (e.type == EV_KEY && (e.code == BTN_LEFT || e.code == BTN_TOUCH)
                && (device.relative || device.absolute) && e.value != 2)
                buttons_.push_back(e.value != 0);
            else if (e.type == EV_KEY && device.keyboard) {
                flushMotion(out);
                key(e.code, e.value, out);
            } else if (e.type == EV_SYN) {
                endFrame(out);
            }
        }
    }
}

void FbInput::key(unsigned code, int value, std::vector<HostInput>& out)
{
    const KeyPosition* position = keyByLinuxCode(code);
    const EventModifiers held = modifiers();
    if (value == 1 && (held & cmdKey) && (held & optionKey)) {
        static constexpr unsigned kFunctionKeys[] = {KEY_F1, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7,
            KEY_F8, KEY_F9, KEY_F10, KEY_F11, KEY_F12};
        for (unsigned i = 0; i < 12; ++i) {
            if (kFunctionKeys[i] == code)
                terminalRequest_ = int(i + 1);
        }
    }
    if (!position)
        return;
    if (position->modifier) {
        if (position->modifier == alphaLock) {
            capsLock_ = value == 1 ? !capsLock_ : capsLock_;
        } else {
            auto at = std::find(heldModifierKeys_.begin(), heldModifierKeys_.end(), code);
            if (value && at == heldModifierKeys_.end())
                heldModifierKeys_.push_back(code);
            else if (!value && at != heldModifierKeys_.end())
                heldModifierKeys_.erase(at);
        }
        out.push_back(input(HostInput::Kind::Modifiers));
        return;
    }
    MacKey mac;
    if (!macKeyAt(*position, 0, held, mac))
        return;
    HostInput in = input(value == 0 ? HostInput::Kind::KeyUp
            : value == 2            ? HostInput::Kind::AutoKey
                                    : HostInput::Kind::KeyDown);
    in.charCode = mac.charCode;
    in.keyCode = mac.keyCode;
    out.push_back(in);
}

void FbInput::moveTo(int x, int y)
{
    const int right = area_.left + Framebuffer::kWidth * area_.scale - 1;
    const int bottom = area_.top + Framebuffer::kHeight * area_.scale - 1;
    x = std::clamp(x, area_.left, right);
    y = std::clamp(y, area_.top, bottom);
    if (x != x_ || y != y_) {
        x_ = x;
        y_ = y;
        moved_ = true;
    }
}

// A frame's button changes happen where it leaves the pointer: a touch
// screen reports the touch before the place touched.
void FbInput::endFrame(std::vector<HostInput>& out)
{
    flushMotion(out);
    for (bool down : buttons_)
        out.push_back(input(down ? HostInput::Kind::MouseDown : HostInput::Kind::MouseUp));
    buttons_.clear();
}

void FbInput::flushMotion(std::vector<HostInput>& out)
{
    if (!moved_)
        return;
    moved_ = false;
    out.push_back(input(HostInput::Kind::MouseMove));
}

Point FbInput::mouse() const
{
    return Point {SInt16((y_ - area_.top) / area_.scale), SInt16((x_ - area_.left) / area_.scale)};
}

EventModifiers FbInput::modifiers() const
{
    EventModifiers held = capsLock_ ? alphaLock : 0;
    for (unsigned code : heldModifierKeys_)
        held |= keyByLinuxCode(code)->modifier;
    return held;
}

HostInput FbInput::input(HostInput::Kind kind) const
{
    HostInput in;
    in.kind = kind;
    in.where = mouse();
    in.modifiers = modifiers();
    return in;
}

int FbInput::takeTerminalRequest()
{
    int request = terminalRequest_;
    terminalRequest_ = 0;
    return request;
}

} // namespace toolbox
