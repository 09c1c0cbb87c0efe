#include "host/fbdev/FbHost.h"

#include "events/QuitSignals.h"
#include "quickdraw/Framebuffer.h"

#include <Quickdraw.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/fb.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace toolbox {

namespace {

constexpr int kWidth = Framebuffer::kWidth;
constexpr int kHeight = Framebuffer::kHeight;
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

ColourField fieldOf(const fb_bitfield& f)
{
    return ColourField {int(f.offset), int(f.length), f.msb_right != 0};
}

bool fits(const ColourField& f, int bits)
{
    return f.length >= 0 && f.offset >= 0 && f.offset + f.length <= bits && f.length <= 16;
}

long long nowMs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

Rect intersection(const Rect& a, const Rect& b)
{
    Rect r {std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
        std::min(a.right, b.right)};
    if (r.top >= r.bottom || r.left >= r.right)
        return Rect {0, 0, 0, 0};
    return r;
}

bool empty(const Rect& r)
{
    return r.top >= r.bottom || r.left >= r.right;
}

} // namespace

FbHost::FbHost(std::string device, std::string inputDirectory)
    : device_(std::move(device))
    , input_(std::move(inputDirectory))
{
}

FbHost::~FbHost()
{
    FbConsole::restore();
    if (memory_)
        munmap(memory_, mapped_);
    if (fd_ >= 0)
        close(fd_);
}

bool FbHost::start(std::string& error)
{
    fd_ = open(device_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        error = device_ + ": " + std::strerror(errno);
        return false;
    }
    if (!describe(error))
        return false;
    // A kernel without file locking (ENOSYS) cannot tell; the screen is ours then.
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno != ENOSYS) {
        error = device_ + " is in use by another program";
        return false;
    }
    void* memory = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
    if (memory == MAP_FAILED) {
        error = device_ + " cannot be mapped: " + std::strerror(errno);
        return false;
    }
    memory_ = static_cast<uint8_t*>(memory);

    std::string warning;
    if (!console_.take(error, warning))
        return false;
    if (!warning.empty())
        std::fprintf(stderr, "%s\n", warning.c_str());
    if (!loadColours(error))
        return false;
    // The window host has SDL turn these into a close; here they ask to quit.
    installQuitSignals();

    converter_ = std::make_unique<PixelConverter>(format_);
    input_.start(PointerArea {width_, height_, at_.x - visibleX_, at_.y - visibleY_, at_.scale});
    drawAll();
    return true;
}

// Reads the device's layout; false unless the screen can be shown on it.
bool FbHost::describe(std::string& error)
{
    fb_var_screeninfo var {};
    fb_fix_screeninfo fix {};
    if (ioctl(fd_, FBIOGET_VSCREENINFO, &var) != 0 || ioctl(fd_, FBIOGET_FSCREENINFO, &fix) != 0) {
        error = device_ + " is not a framebuffer";
        return false;
    }
    const int bits = int(var.bits_per_pixel);
    format_.bitsPerPixel = bits;
    format_.indexed = fix.visual == FB_VISUAL_PSEUDOCOLOR;
    format_.red = fieldOf(var.red);
    format_.green = fieldOf(var.green);
    format_.blue = fieldOf(var.blue);
    format_.transp = fieldOf(var.transp);
    // fbdev pixels are words of the processor's own byte order.
    format_.bigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
    directColour_ = fix.visual == FB_VISUAL_DIRECTCOLOR;
    const bool direct = fix.visual == FB_VISUAL_TRUECOLOR || directColour_;
    const bool depthOk = format_.indexed ? bits == 8 : (bits == 15 || bits == 16 || bits == 24 || bits == 32);
    const bool fieldsOk = format_.indexed
        || (fits(format_.red, bits) && fits(format_.green, bits) && fits(format_.blue, bits)
            && fits(format_.transp, bits));
    if (fix.type != FB_TYPE_PACKED_PIXELS || !(format_.indexed || direct) || !depthOk || !fieldsOk) {
        error = device_ + " has a pixel layout the screen cannot use (" + std::to_string(bits)
            + " bits a pixel, visual " + std::to_string(fix.visual) + ")";
        return false;
    }
    width_ = int(var.xres);
    height_ = int(var.yres);
    if (width_ < kWidth || height_ < kHeight) {
        error = device_ + " shows " + std::to_string(width_) + "x" + std::to_string(height_)
            + " pixels, fewer than the 640x480 screen needs";
        return false;
    }
    visibleX_ = int(var.xoffset);
    visibleY_ = int(var.yoffset);
    lineLength_ = fix.line_length;
    mapped_ = fix.smem_len ? fix.smem_len : size_t(fix.line_length) * var.yres_virtual;
    const size_t bytes = size_t(bits + 7) / 8;
    if (size_t(visibleY_ + height_ - 1) * lineLength_ + size_t(visibleX_ + width_) * bytes > mapped_) {
        error = device_ + " reports less memory than its visible screen needs";
        return false;
    }
    const int largest = std::min(width_ / kWidth, height_ / kHeight);
    const int requested = requestedScale();
    at_.scale = requested ? std::min(requested, largest) : largest;
    at_.x = visibleX_ + (width_ - kWidth * at_.scale) / 2;
    at_.y = visibleY_ + (height_ - kHeight * at_.scale) / 2;
    return true;
}

// Pseudocolour: the Mac's table; direct colour: straight ramps. The device's
// own map is given back at exit.
bool FbHost::loadColours(std::string& error)
{
    if (!format_.indexed && !directColour_)
        return true;
    const int maxLength = std::max({format_.red.length, format_.green.length, format_.blue.length});
    const __u32 entries = format_.indexed ? 256 : (1u << maxLength);
    std::vector<__u16> red(entries), green(entries), blue(entries);
    fb_cmap map {0, entries, red.data(), green.data(), blue.data(), nullptr};
    if (!coloursKept_ && ioctl(fd_, FBIOGETCMAP, &map) == 0) {
        FbConsole::keepColourMap(fd_, map);
        coloursKept_ = true;
    }
    for (__u32 i = 0; i < entries; ++i) {
        if (format_.indexed) {
            const uint32_t rgb = macColourTable()[i];
            red[i] = __u16((rgb >> 16 & 0xFF) * 0x101);
            green[i] = __u16((rgb >> 8 & 0xFF) * 0x101);
            blue[i] = __u16((rgb & 0xFF) * 0x101);
        } else {
            auto ramp = [&](int length) {
                const __u32 top = (1u << length) - 1;
                return __u16(std::min(i, top) * 0xFFFFu / std::max(top, 1u));
            };
            red[i] = ramp(format_.red.length);
            green[i] = ramp(format_.green.length);
            blue[i] = ramp(format_.blue.length);
        }
    }
    if (ioctl(fd_, FBIOPUTCMAP, &map) != 0) {
        error = device_ + " does not take a colour map: " + std::strerror(errno);
        return false;
    }
    return true;
}

void FbHost::drawAll()
{
    converter_->fill(kBlack, visibleX_, visibleY_, width_, height_, memory_, lineLength_);
    pointerDrawn_ = Rect {0, 0, 0, 0};
    present({screen().bounds()});
}

void FbHost::copy(const Rect& area)
{
    const Framebuffer& fb = screen();
    converter_->copy(fb.pixels(), fb.stride(), area, at_, memory_, lineLength_);
}

void FbHost::present(const std::vector<Rect>& areas)
{
    if (!console_.showing())
        return;
    const Rect box = pointerBox();
    bool underPointer = false;
    for (const Rect& r : areas) {
        const Rect area = intersection(r, screen().bounds());
        if (empty(area))
            continue;
        copy(area);
        underPointer = underPointer || !empty(intersection(area, box));
    }
    if (underPointer)
        drawPointer();
}

Rect FbHost::pointerBox() const
{
    Cursor arrow;
    GetQDGlobalsArrow(&arrow);
    const Point at = input_.mouse();
    const SInt16 top = SInt16(at.v - arrow.hotSpot.v), left = SInt16(at.h - arrow.hotSpot.h);
    return intersection(Rect {top, left, SInt16(top + 16), SInt16(left + 16)}, screen().bounds());
}

// The arrow over what the screen shows under it: black where its image is
// set, white where only its mask is.
void FbHost::drawPointer()
{
    Cursor arrow;
    GetQDGlobalsArrow(&arrow);
    const Point at = input_.mouse();
    const int top = at.v - arrow.hotSpot.v, left = at.h - arrow.hotSpot.h;
    const Rect box = pointerBox();
    uint32_t pixels[16 * 16];
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const UInt16 bit = UInt16(0x8000u >> (x - left));
            uint32_t p = screen().pixel(x, y);
            if (arrow.mask[y - top] & bit)
                p = (arrow.data[y - top] & bit) ? kBlack : kWhite;
            pixels[(y - box.top) * 16 + (x - box.left)] = p;
        }
    }
    const Placement place {at_.x + box.left * at_.scale, at_.y + box.top * at_.scale, at_.scale};
    converter_->copy(pixels, 16, Rect {0, 0, SInt16(box.bottom - box.top), SInt16(box.right - box.left)},
        place, memory_, lineLength_);
    pointerDrawn_ = box;
}

void FbHost::collectInput(int timeoutMs, std::vector<HostInput>& out)
{
    const long long deadline = nowMs() + std::max(timeoutMs, 0);
    const size_t first = out.size();
    for (;;) {
        std::vector<pollfd> fds;
        const int quit = quitSignalDescriptor();
        if (quit >= 0)
            fds.push_back(pollfd {quit, POLLIN, 0});
        if (console_.switchDescriptor() >= 0)
            fds.push_back(pollfd {console_.switchDescriptor(), POLLIN, 0});
        const int rescan = input_.descriptors(fds);
        int wait = int(std::max(0LL, deadline - nowMs()));
        if (rescan >= 0)
            wait = std::min(wait, rescan);
        poll(fds.data(), fds.size(), wait);

        if (console_.takeSwitch() == FbConsole::Switch::Acquired) {
            // Whoever showed meanwhile may have changed the colours too.
            std::string ignored;
            loadColours(ignored);
            drawAll();
        }
        const Rect before = pointerDrawn_;
        if (console_.showing()) {
            input_.read(out);
        } else {
            input_.discard();
        }
        if (int terminal = input_.takeTerminalRequest())
            console_.activate(terminal);
        if (console_.showing() && out.size() > first) {
            const Rect now = pointerBox();
            if (now.top != before.top || now.left != before.left || now.bottom != before.bottom
                || now.right != before.right) {
                if (!empty(before))
                    copy(before);
                drawPointer();
            }
        }
        const bool quitWaiting = quit >= 0 && !fds.empty() && (fds[0].revents & POLLIN);
        if (out.size() > first || quitWaiting || nowMs() >= deadline)
            return;
    }
}

} // namespace toolbox
