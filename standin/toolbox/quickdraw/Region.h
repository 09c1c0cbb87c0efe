// Regions as sorted bands of disjoint rectangles, with 32-bit coordinates so
// that a wide-open clip can be offset without overflow. Every operation
// leaves the canonical form (bands top to bottom, intervals left to right,
// no two touching intervals in a band, no two equal adjacent bands), so
// equal areas compare equal.
#pragma once

#include <Quickdraw.h>

#include <utility>
#include <vector>

namespace toolbox {

struct IRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    bool operator==(const IRect&) const = default;
    static IRect from(const Rect& r) { return IRect {r.left, r.top, r.right, r.bottom}; }
    // Clamped into 16 bits.
    Rect toRect() const;
    IRect intersect(const IRect& o) const;
    IRect offset(int dx, int dy) const { return IRect {left + dx, top + dy, right + dx, bottom + dy}; }
    bool contains(const IRect& o) const
    {
        return o.empty() || (o.left >= left && o.right <= right && o.top >= top && o.bottom <= bottom);
    }
};

// The wide-open rectangle QuickDraw gives a new clip region.
constexpr IRect kWideOpen {-32767, -32767, 32767, 32767};

class Region {
public:
    Region() = default;
    explicit Region(const IRect& r);

    // One horizontal span [first, second) per row, starting at row `top`.
    static Region fromRows(int top, const std::vector<std::pair<int, int>>& spans);

    const std::vector<IRect>& rects() const { return rects_; }
    bool empty() const { return rects_.empty(); }
    IRect bounds() const;
    bool isRectangular() const { return rects_.size() <= 1; }
    bool contains(int x, int y) const;
    bool intersects(const IRect& r) const;
    bool covers(const IRect& r) const;

    void offset(int dx, int dy);
    // Intersects in place with r.
    void clipTo(const IRect& r);
    Region unite(const Region& o) const;
    Region intersect(const Region& o) const;
    Region intersect(const IRect& r) const;
    Region subtract(const Region& o) const;
    Region exclusiveOr(const Region& o) const;
    // Shrinks (positive) or grows (negative) the area by dh at the left and
    // right and dv at the top and bottom edges.
    Region inset(int dh, int dv) const;

    bool operator==(const Region& o) const { return rects_ == o.rects_; }

private:
    enum class Op { Union, Intersect, Subtract, Xor };
    static Region combine(const Region& a, const Region& b, Op op);
    Region insetHorizontally(int dh) const;
    std::vector<IRect> rects_;
};

// The region behind a handle (which must not be null).
Region& regionOf(RgnHandle rgn);

} // namespace toolbox

struct MacRegion {
    toolbox::Region region;
};
