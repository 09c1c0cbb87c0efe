#include "host/sdl2/SdlHost.h"

#include "host/sdl2/SdlKeys.h"
#include "quickdraw/Framebuffer.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace toolbox {

namespace {

constexpr int kWidth = Framebuffer::kWidth;
constexpr int kHeight = Framebuffer::kHeight;

std::string windowTitle()
{
    if (const char* title = std::getenv("MACSIM_TITLE"))
        return title;
    return program_invocation_short_name;
}

} // namespace

int automaticScale(int usableWidth, int usableHeight)
{
    int byWidth = usableWidth * 2 / (kWidth * 5);
    int byHeight = usableHeight * 2 / (kHeight * 5);
    int scale = std::min(byWidth, byHeight);
    return scale >= 2 ? scale : 1;
}

SdlHost::~SdlHost()
{
    // The window and SDL are left to the end of the process. SDL wakes its
    // own event wait by sending an event to the window over a second X
    // connection; shutting down flushes that connection, and a wake-up sent
    // just before the window went away then fails, and Xlib ends the program
    // with status 1 after an orderly quit.
}

bool SdlHost::start(std::string& error)
{
    int scale = requestedScale();
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    // Native Wayland has no plain window framebuffer in SDL 2; elsewhere the
    // unaccelerated surface is the fast path.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "wayland") != 0)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");

    // On X11 SDL already knows which modifiers are held.
    launchModifiers_ = modifiersOf(SDL_GetModState());

    if (scale == 0) {
        SDL_Rect usable;
        scale = SDL_GetDisplayUsableBounds(0, &usable) == 0 ? automaticScale(usable.w, usable.h) : 1;
    }
    scale_ = scale;
    window_ = SDL_CreateWindow(windowTitle().c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
        kWidth * scale_, kHeight * scale_, 0);
    if (!window_ || !SDL_GetWindowSurface(window_)) {
        error = SDL_GetError();
        return false;
    }
    // Characters come from key events; no input method is needed.
    SDL_StopTextInput();
    // Wayland tells which keys are held only when the window gets the
    // keyboard; give it a moment, so Option held at launch can still count
    // (MACSIM_KEYS is the sure way).
    if (driver && std::strcmp(driver, "wayland") == 0 && !(launchModifiers_ & optionKey)) {
        Uint32 until = SDL_GetTicks() + 300;
        while (SDL_GetKeyboardFocus() != window_ && SDL_GetTicks() < until) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
        launchModifiers_ = modifiersOf(SDL_GetModState());
    }
    return true;
}

void SdlHost::present(const std::vector<Rect>& areas)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface || areas.empty())
        return;
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    const Framebuffer& fb = screen();
    const bool direct = surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0x00FF0000
        && surface->format->Gmask == 0x0000FF00 && surface->format->Bmask == 0x000000FF;
    std::vector<SDL_Rect> rects;
    for (const Rect& r : areas) {
        int left = std::max<int>(0, r.left), top = std::max<int>(0, r.top);
        int right = std::min<int>(kWidth, r.right), bottom = std::min<int>(kHeight, r.bottom);
        if (left >= right || top >= bottom)
            continue;
        for (int y = top; y < bottom; ++y) {
            const uint32_t* src = fb.pixels() + size_t(y) * size_t(fb.stride());
            for (int sy = 0; sy < scale_; ++sy) {
                auto* row = reinterpret_cast<uint8_t*>(surface->pixels)
                    + size_t(y * scale_ + sy) * size_t(surface->pitch);
                auto* dst = reinterpret_cast<uint32_t*>(row) + size_t(left * scale_);
                if (direct && scale_ == 1) {
                    std::memcpy(dst, src + left, size_t(right - left) * sizeof(uint32_t));
                    continue;
                }
                for (int x = left; x < right; ++x) {
                    uint32_t p = src[x];
                    uint32_t out
                        = direct ? p : SDL_MapRGB(surface->format, Uint8(p >> 16), Uint8(p >> 8), Uint8(p));
                    if (surface->format->BytesPerPixel == 4) {
                        for (int sx = 0; sx < scale_; ++sx)
                            *dst++ = out;
                    } else {
                        // Other depths: let SDL write the pixel.
                        SDL_Rect one {x * scale_, y * scale_ + sy, scale_, 1};
                        SDL_FillRect(surface, &one, out);
                    }
                }
            }
        }
        rects.push_back(
            SDL_Rect {left * scale_, top * scale_, (right - left) * scale_, (bottom - top) * scale_});
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    if (!rects.empty())
        SDL_UpdateWindowSurfaceRects(window_, rects.data(), int(rects.size()));
}

void SdlHost::collectInput(int timeoutMs, std::vector<HostInput>& out)
{
    SDL_Event event;
    bool got = timeoutMs > 0 ? SDL_WaitEventTimeout(&event, timeoutMs) != 0 : SDL_PollEvent(&event) != 0;
    // A missed wake-up costs nothing: whatever is queued is drained here.
    while (got) {
        translate(event, out);
        got = SDL_PollEvent(&event) != 0;
    }
}

Point SdlHost::screenPoint(int x, int y) const
{
    return Point {
        SInt16(std::clamp(y / scale_, 0, kHeight - 1)), SInt16(std::clamp(x / scale_, 0, kWidth - 1))};
}

void SdlHost::translate(const SDL_Event& event, std::vector<HostInput>& out)
{
    HostInput in;
    switch (event.type) {
    case SDL_QUIT:
        in.kind = HostInput::Kind::QuitRequest;
        out.push_back(in);
        return;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            std::vector<Rect> all {screen().bounds()};
            present(all);
        }
        return;
    case SDL_MOUSEMOTION:
        in.kind = HostInput::Kind::MouseMove;
        in.where = screenPoint(event.motion.x, event.motion.y);
        in.modifiers = modifiersOf(SDL_GetModState());
        out.push_back(in);
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT)
            return;
        in.kind = event.type == SDL_MOUSEBUTTONDOWN ? HostInput::Kind::MouseDown : HostInput::Kind::MouseUp;
        in.where = screenPoint(event.button.x, event.button.y);
        in.modifiers = modifiersOf(SDL_GetModState());
        out.push_back(in);
        return;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        in.modifiers = modifiersOf(SDL_Keymod(event.key.keysym.mod));
        MacKey key;
        if (isModifierKey(event.key.keysym.scancode) || !macKeyOf(event.key.keysym, key)) {
            in.kind = HostInput::Kind::Modifiers;
            out.push_back(in);
            return;
        }
        in.kind = event.type == SDL_KEYUP ? HostInput::Kind::KeyUp
            : event.key.repeat            ? HostInput::Kind::AutoKey
                                          : HostInput::Kind::KeyDown;
        in.charCode = key.charCode;
        in.keyCode = key.keyCode;
        out.push_back(in);
        return;
    }
    default:
        return;
    }
}

} // namespace toolbox
