// Band-based region arithmetic: every boolean operation sweeps the union of
// both operands' band edges and combines the x intervals within each band.
#include "quickdraw/Region.h"

#include <algorithm>
#include <limits>

namespace toolbox {

namespace {

using Intervals = std::vector<std::pair<int, int>>;

SInt16 clamp16(int v)
{
    return SInt16(std::clamp(v, -32768, 32767));
}

// Closes the band just written from `bandStart` on: merges it into the
// band before when that one ends where it starts with the same intervals.
void closeBand(std::vector<IRect>& out, size_t& lastBandStart, size_t bandStart)
{
    if (bandStart == out.size())
        return;
    const size_t count = out.size() - bandStart;
    if (lastBandStart < bandStart && bandStart - lastBandStart == count
        && out[lastBandStart].bottom == out[bandStart].top) {
        bool same = true;
        for (size_t i = 0; i < count && same; ++i)
            same = out[lastBandStart + i].left == out[bandStart + i].left
                && out[lastBandStart + i].right == out[bandStart + i].right;
        if (same) {
            const int bottom = out[bandStart].bottom;
            out.resize(bandStart);
            for (size_t i = lastBandStart; i < bandStart; ++i)
                out[i].bottom = bottom;
            return;
        }
    }
    lastBandStart = bandStart;
}

// Appends the band [y0, y1) with `intervals` (sorted and apart).
void appendBand(std::vector<IRect>& out, size_t& lastBandStart, int y0, int y1, const Intervals& intervals)
{
    if (y0 >= y1)
        return;
    const size_t bandStart = out.size();
    for (const auto& [l, r] : intervals)
        out.push_back(IRect {l, y0, r, y1});
    closeBand(out, lastBandStart, bandStart);
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
    out.rects_.reserve(spans.size());
    size_t lastBand = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        const size_t bandStart = out.rects_.size();
        if (spans[i].first < spans[i].second)
            out.rects_.push_back(IRect {spans[i].first, top + int(i), spans[i].second, top + int(i) + 1});
        closeBand(out.rects_, lastBand, bandStart);
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

void Region::clipTo(const IRect& r)
{
    if (rects_.empty() || r.contains(bounds()))
        return;
    if (rects_.size() == 1) {
        rects_.front() = rects_.front().intersect(r);
        if (rects_.front().empty())
            rects_.clear();
        return;
    }
    // Cut band by band: the intervals stay sorted and apart; only bands
    // that come out equal need merging.
    std::vector<IRect> out;
    out.reserve(rects_.size());
    size_t lastBand = 0;
    for (size_t i = 0; i < rects_.size();) {
        const size_t bandStart = out.size();
        for (const int top = rects_[i].top; i < rects_.size() && rects_[i].top == top; ++i)
            if (const IRect part = rects_[i].intersect(r); !part.empty())
                out.push_back(part);
        closeBand(out, lastBand, bandStart);
    }
    rects_ = std::move(out);
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
    // A shape inside a rectangular clip, as most drawing is, stays whole.
    if (o.rects_.size() == 1 && o.rects_.front().contains(bounds()))
        return *this;
    if (rects_.size() == 1 && rects_.front().contains(o.bounds()))
        return o;
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

namespace {

constexpr int kNoEdge = std::numeric_limits<int>::max();

// One band's intervals walked edge by edge (left, right, next left ...),
// knowing whether the walk is inside an interval.
struct BandEdges {
    const IRect* first = nullptr;
    const IRect* last = nullptr;
    int edge = 0;
    bool inside = false;

    int next() const
    {
        const IRect* r = first + edge / 2;
        return r < last ? (edge % 2 ? r->right : r->left) : kNoEdge;
    }
    void step()
    {
        inside = !inside;
        ++edge;
    }
};

// Walks a region's bands from top to bottom for a sweep over rows that only
// moves down.
class BandCursor {
public:
    explicit BandCursor(const std::vector<IRect>& rects)
        : rects_(rects)
        , bandEnd_(endOfBand(0))
    {
    }

    // The intervals at row y; none where no band covers y.
    BandEdges at(int y)
    {
        skipAbove(y);
        if (band_ >= rects_.size() || rects_[band_].top > y)
            return {};
        return {rects_.data() + band_, rects_.data() + bandEnd_};
    }

    // The first band edge below row y.
    int nextEdge(int y)
    {
        skipAbove(y);
        if (band_ >= rects_.size())
            return kNoEdge;
        return rects_[band_].top > y ? rects_[band_].top : rects_[band_].bottom;
    }

private:
    void skipAbove(int y)
    {
        while (band_ < rects_.size() && rects_[band_].bottom <= y) {
            band_ = bandEnd_;
            bandEnd_ = endOfBand(band_);
        }
    }
    size_t endOfBand(size_t i) const
    {
        size_t end = i;
        while (end < rects_.size() && rects_[end].top == rects_[i].top)
            ++end;
        return end;
    }

    const std::vector<IRect>& rects_;
    size_t band_ = 0;
    size_t bandEnd_;
};

} // namespace

Region Region::combine(const Region& a, const Region& b, Op op)
{
    auto inside = [op](bool inA, bool inB) {
        switch (op) {
        case Op::Union:
            return inA || inB;
        case Op::Intersect:
            return inA && inB;
        case Op::Subtract:
            return inA && !inB;
        case Op::Xor:
            return inA != inB;
        }
        return false;
    };
    Region out;
    size_t lastBand = 0;
    BandCursor ca(a.rects_), cb(b.rects_);
    int y = std::min(
        ca.nextEdge(std::numeric_limits<int>::min()), cb.nextEdge(std::numeric_limits<int>::min()));
    while (y != kNoEdge) {
        const int y1 = std::min(ca.nextEdge(y), cb.nextEdge(y));
        BandEdges ea = ca.at(y), eb = cb.at(y);
        // Each operand's x edges rise strictly (its intervals never touch),
        // so the result's intervals come out sorted and apart.
        const size_t bandStart = out.rects_.size();
        bool in = false;
        int left = 0;
        for (int x = std::min(ea.next(), eb.next()); x != kNoEdge; x = std::min(ea.next(), eb.next())) {
            if (ea.next() == x)
                ea.step();
            if (eb.next() == x)
                eb.step();
            const bool now = inside(ea.inside, eb.inside);
            if (now && !in)
                left = x;
            else if (!now && in)
                out.rects_.push_back(IRect {left, y, x, y1});
            in = now;
        }
        closeBand(out.rects_, lastBand, bandStart);
        y = y1;
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
