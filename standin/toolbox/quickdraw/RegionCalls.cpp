// The Region calls over toolbox::Region. A RgnHandle points to a master
// pointer that points to the MacRegion, as a handle does.
#include "quickdraw/Region.h"

#include <Quickdraw.h>

namespace toolbox {

Region& regionOf(RgnHandle rgn)
{
    return (**rgn).region;
}

} // namespace toolbox

using toolbox::IRect;
using toolbox::Region;
using toolbox::regionOf;

RgnHandle NewRgn()
{
    return new RgnPtr(new MacRegion);
}

void DisposeRgn(RgnHandle rgn)
{
    if (!rgn)
        return;
    delete *rgn;
    delete rgn;
}

void RectRgn(RgnHandle rgn, const Rect* r)
{
    regionOf(rgn) = Region(IRect::from(*r));
}

void SetRectRgn(RgnHandle rgn, short left, short top, short right, short bottom)
{
    regionOf(rgn) = Region(IRect {left, top, right, bottom});
}

void SetEmptyRgn(RgnHandle rgn)
{
    regionOf(rgn) = Region();
}

void CopyRgn(RgnHandle srcRgn, RgnHandle dstRgn)
{
    if (srcRgn != dstRgn)
        regionOf(dstRgn) = regionOf(srcRgn);
}

void UnionRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn)
{
    regionOf(dstRgn) = regionOf(srcRgnA).unite(regionOf(srcRgnB));
}

void SectRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn)
{
    regionOf(dstRgn) = regionOf(srcRgnA).intersect(regionOf(srcRgnB));
}

void DiffRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn)
{
    regionOf(dstRgn) = regionOf(srcRgnA).subtract(regionOf(srcRgnB));
}

void XorRgn(RgnHandle srcRgnA, RgnHandle srcRgnB, RgnHandle dstRgn)
{
    regionOf(dstRgn) = regionOf(srcRgnA).exclusiveOr(regionOf(srcRgnB));
}

void OffsetRgn(RgnHandle rgn, short dh, short dv)
{
    regionOf(rgn).offset(dh, dv);
}

void InsetRgn(RgnHandle rgn, short dh, short dv)
{
    regionOf(rgn) = regionOf(rgn).inset(dh, dv);
}

Boolean EmptyRgn(RgnHandle rgn)
{
    return regionOf(rgn).empty();
}

Boolean PtInRgn(Point pt, RgnHandle rgn)
{
    return regionOf(rgn).contains(pt.h, pt.v);
}

Boolean RectInRgn(const Rect* r, RgnHandle rgn)
{
    return regionOf(rgn).intersects(IRect::from(*r));
}

Boolean EqualRgn(RgnHandle rgnA, RgnHandle rgnB)
{
    return regionOf(rgnA) == regionOf(rgnB);
}

Rect* GetRegionBounds(RgnHandle region, Rect* bounds)
{
    *bounds = regionOf(region).bounds().toRect();
    return bounds;
}

Boolean IsRegionRectangular(RgnHandle region)
{
    return regionOf(region).isRectangular();
}
