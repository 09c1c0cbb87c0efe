// The screen: one 640x480 buffer of 32-bit 0x00RRGGBB pixels owned by the
// toolbox. QuickDraw draws into it and records what it touched; the host
// takes those dirty rectangles and presents them.
#pragma once

#include <MacTypes.h>

#include <cstdint>
#include <string>
#include <vector>

namespace toolbox {

class Framebuffer {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    Framebuffer();

    int width() const { return kWidth; }
    int height() const { return kHeight; }
    // Pixels per row (not bytes).
    int stride() const { return kWidth; }
    uint32_t* pixels() { return pixels_.data(); }
    const uint32_t* pixels() const { return pixels_.data(); }
    uint32_t pixel(int x, int y) const { return pixels_[size_t(y) * kWidth + size_t(x)]; }
    Rect bounds() const { return Rect {0, 0, kHeight, kWidth}; }

    // r in global (screen) coordinates; clipped to the screen, empty ignored.
    void markDirty(const Rect& r);
    // The areas changed since the last call (overlapping or touching areas
    // merged, at most a handful of rectangles); clears the record.
    std::vector<Rect> takeDirty();
    bool hasDirty() const { return !dirty_.empty(); }

    // Writes the whole screen as an RGB PNG; false (with errno-style reason in
    // *error when given) if the file could not be written.
    bool savePNG(const std::string& path, std::string* error = nullptr) const;

private:
    std::vector<uint32_t> pixels_;
    std::vector<Rect> dirty_;
};

// The one screen.
Framebuffer& screen();

} // namespace toolbox
