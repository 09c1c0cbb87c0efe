// Band-based region arithmetic: every boolean operation sweeps the union of
// both operands' band edges and combines the x intervals within each band.
#include "quickdraw/Region.h"

#include <algorithm>

namespace toolbox {

namespace {

using Intervals = std::vector<std::pair<int, int>>;

SInt16 clamp16(int v)
{
    return SInt16(std::clamp(v, -32768, 32767));
}

// The intervals of the band that contains row y; `cursor` moves forward
// through the rectangles and must only see increasing y.
Intervals intervalsAt(const std::vector<IRect>& rects, size_t& cursor, int y)
{
    Intervals out;
    while (cursor < rects.size() && rects[cursor].bottom <= y)
        ++cursor;
    if (cursor >= rects.size() || rects[cursor].top > y)
        return out;
    int top = rects[cursor].top;
    for (size_t i = cursor; i < rects.size() && rects[i].top == top; ++i)
        out.emplace_back(rects[i].left, rects[i].right);
    return out;
}

// Appends the band [y0, y1) with `intervals`, extending the previous band
// instead when it ends at y0 with the same intervals.
void appendBand(std::vector<IRect>& out, size_t& lastBandStart, int y0, int y1, const Intervals& intervals)
{
    if (intervals.empty() || y0 >= y1)
        return;
    if (lastBandStart < out.size() && out.back().bottom == y0
        && out.size() - lastBandStart == intervals.size()) {
        bool same = true;
        for (size_t i = 0; i < intervals.size() && same; ++i)
            same = out[lastBandStart + i].left == intervals[i].first
                && out[lastBandStart + i].right == intervals[i].second;
        if (same) {
            for (size_t i = lastBandStart; i < out.size(); ++i)
                out[i].bottom = y1;
            return;
        }
    }
    lastBandStart = out.size();
    for (const auto& [l, r] : intervals)
        out.push_back(IRect {l, y0, r, y1});
}

// Sorted, disjoint, non-touching intervals from any list.
Intervals normalise(Intervals in)
{
    std::sort(in.begin(), in.end());
    Intervals out;
    for (const auto& iv : in) {
        if (iv.first >= iv.second)
            continue;
        if (!out.empty() && iv.first <= out.back().second)
            out.back().second = std::max(out.back().second, iv.second);
        else
            out.push_back(iv);
    }
    return out;
}

} // namespace

Rect IRect::toRect() const
{
    return Rect {clamp16(top), clamp16(left), clamp16(bottom), clamp16(right)};
}

IRect IRect::intersect(const IRect& o) const
{
    IRect r {
        std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    if (r.empty())
        return IRect {};
    return r;
}

Region::Region(const IRect& r)
{
    if (!r.empty())
        rects_.push_back(r);
}

Region Region::fromRows(int top, const std::vector<std::pair<int, int>>& spans)
{
    Region out;
    size_t lastBand = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        Intervals one;
        if (spans[i].first < spans[i].second)
            one.push_back(spans[i]);
        appendBand(out.rects_, lastBand, top + int(i), top + int(i) + 1, one);
    }
    return out;
}

IRect Region::bounds() const
{
    if (rects_.empty())
        return IRect {};
    IRect b = rects_.front();
    for (const IRect& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
        b.top = std::min(b.top, r.top);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool Region::contains(int x, int y) const
{
    for (const IRect& r : rects_)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

bool Region::intersects(const IRect& r) const
{
    for (const IRect& own : rects_)
        if (!own.intersect(r).empty())
            return true;
    return false;
}

bool Region::covers(const IRect& r) const
{
    if (r.empty())
        return true;
    // Every row of r must fall in a band with one interval spanning r's
    // width: touching intervals are merged, so two never cover it together.
    int y = r.top;
    for (size_t i = 0; i < rects_.size() && y < r.bottom;) {
        const int top = rects_[i].top, bottom = rects_[i].bottom;
        bool spanned = false;
        for (; i < rects_.size() && rects_[i].top == top; ++i)
            spanned = spanned || (rects_[i].left <= r.left && rects_[i].right >= r.right);
        if (bottom <= y)
            continue;
        if (top > y || !spanned)
            return false;
        y = bottom;
    }
    return y >= r.bottom;
}

void Region::offset(int dx, int dy)
{
    for (IRect& r : rects_)
        r = r.offset(dx, dy);
}

Region Region::unite(const Region& o) const
{
    return combine(*this, o, Op::Union);
}

Region Region::intersect(const Region& o) const
{
    if (rects_.size() <= 1 && o.rects_.size() <= 1) {
        if (rects_.empty() || o.rects_.empty())
            return Region();
        return Region(rects_.front().intersect(o.rects_.front()));
    }
    return combine(*this, o, Op::Intersect);
}

Region Region::intersect(const IRect& r) const
{
    if (rects_.size() == 1) // the common case: rectangle with rectangle
        return Region(rects_.front().intersect(r));
    return combine(*this, Region(r), Op::Intersect);
}

Region Region::subtract(const Region& o) const
{
    return combine(*this, o, Op::Subtract);
}

Region Region::exclusiveOr(const Region& o) const
{
    return combine(*this, o, Op::Xor);
}

Region Region::combine(const Region& a, const Region& b, Op op)
{
    std::vector<int> ys;
    ys.reserve((a.rects_.size() + b.rects_.size()) * 2);
    for (const IRect& r : a.rects_) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    for (const IRect& r : b.rects_) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region out;
    size_t lastBand = 0, ca = 0, cb = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        int y0 = ys[i], y1 = ys[i + 1];
        Intervals ia = intervalsAt(a.rects_, ca, y0);
        Intervals ib = intervalsAt(b.rects_, cb, y0);
        if (ia.empty() && ib.empty())
            continue;

        std::vector<int> xs;
        for (const auto& [l, r] : ia) {
            xs.push_back(l);
            xs.push_back(r);
        }
        for (const auto& [l, r] : ib) {
            xs.push_back(l);
            xs.push_back(r);
        }
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

        Intervals result;
        size_t pa = 0, pb = 0;
        for (size_t k = 0; k + 1 < xs.size(); ++k) {
            int x = xs[k];
            while (pa < ia.size() && ia[pa].second <= x)
                ++pa;
            while (pb < ib.size() && ib[pb].second <= x)
                ++pb;
            bool inA = pa < ia.size() && ia[pa].first <= x;
            bool inB = pb < ib.size() && ib[pb].first <= x;
            bool in = false;
            switch (op) {
            case Op::Union:
                in = inA || inB;
                break;
            case Op::Intersect:
                in = inA && inB;
                break;
            case Op::Subtract:
                in = inA && !inB;
                break;
            case Op::Xor:
                in = inA != inB;
                break;
            }
            if (!in)
                continue;
            if (!result.empty() && result.back().second == x)
                result.back().second = xs[k + 1];
            else
                result.emplace_back(x, xs[k + 1]);
        }
        appendBand(out.rects_, lastBand, y0, y1, result);
    }
    return out;
}

Region Region::insetHorizontally(int dh) const
{
    Region out;
    size_t lastBand = 0;
    for (size_t i = 0; i < rects_.size();) {
        int top = rects_[i].top, bottom = rects_[i].bottom;
        Intervals band;
        for (; i < rects_.size() && rects_[i].top == top; ++i)
            band.emplace_back(rects_[i].left + dh, rects_[i].right - dh);
        appendBand(out.rects_, lastBand, top, bottom, normalise(band));
    }
    return out;
}

Region Region::inset(int dh, int dv) const
{
    Region h = dh == 0 ? *this : insetHorizontally(dh);
    if (dv == 0)
        return h;
    Region out = h;
    int steps = dv < 0 ? -dv : dv;
    for (int k = 1; k <= steps; ++k) {
        Region up = h, down = h;
        up.offset(0, -k);
        down.offset(0, k);
        if (dv > 0)
            out = out.intersect(up).intersect(down);
        else
            out = out.unite(up).unite(down);
    }
    return out;
}

} // namespace toolbox
