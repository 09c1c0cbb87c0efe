#include "quickdraw/Framebuffer.h"

#include "image/Png.h"

#include <algorithm>

namespace toolbox {

namespace {

constexpr size_t kMaxDirtyRects = 16;

bool touches(const Rect& a, const Rect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

Rect unite(const Rect& a, const Rect& b)
{
    return Rect {std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
        std::max(a.right, b.right)};
}

} // namespace

Framebuffer::Framebuffer()
    : pixels_(size_t(kWidth) * kHeight, 0xFFFFFF)
{
}

void Framebuffer::markDirty(const Rect& area)
{
    Rect r {std::max<SInt16>(area.top, 0), std::max<SInt16>(area.left, 0),
        std::min<SInt16>(area.bottom, kHeight), std::min<SInt16>(area.right, kWidth)};
    if (r.bottom <= r.top || r.right <= r.left)
        return;
    // Absorb every rectangle that overlaps or touches, until none does.
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < dirty_.size(); ++i) {
            if (touches(dirty_[i], r)) {
                r = unite(dirty_[i], r);
                dirty_.erase(dirty_.begin() + long(i));
                merged = true;
                break;
            }
        }
    }
    dirty_.push_back(r);
    if (dirty_.size() > kMaxDirtyRects) {
        Rect all = dirty_.front();
        for (const Rect& d : dirty_)
            all = unite(all, d);
        dirty_.assign(1, all);
    }
}

std::vector<Rect> Framebuffer::takeDirty()
{
    std::vector<Rect> out;
    out.swap(dirty_);
    return out;
}

bool Framebuffer::savePNG(const std::string& path, std::string* error) const
{
    return writePNG(path, pixels(), width(), height(), stride(), error);
}

Framebuffer& screen()
{
    static Framebuffer fb;
    return fb;
}

} // namespace toolbox
