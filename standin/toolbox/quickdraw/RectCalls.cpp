// Rectangle and point arithmetic. An empty rectangle is one whose bottom is
// not below its top or whose right is not right of its left.
#include <Quickdraw.h>

#include <algorithm>

void SetRect(Rect* r, short left, short top, short right, short bottom)
{
    *r = Rect {top, left, bottom, right};
}

void OffsetRect(Rect* r, short dh, short dv)
{
    r->left = SInt16(r->left + dh);
    r->right = SInt16(r->right + dh);
    r->top = SInt16(r->top + dv);
    r->bottom = SInt16(r->bottom + dv);
}

void InsetRect(Rect* r, short dh, short dv)
{
    r->left = SInt16(r->left + dh);
    r->right = SInt16(r->right - dh);
    r->top = SInt16(r->top + dv);
    r->bottom = SInt16(r->bottom - dv);
    if (EmptyRect(r))
        *r = Rect {0, 0, 0, 0};
}

Boolean SectRect(const Rect* src1, const Rect* src2, Rect* dstRect)
{
    Rect r {std::max(src1->top, src2->top), std::max(src1->left, src2->left),
        std::min(src1->bottom, src2->bottom), std::min(src1->right, src2->right)};
    if (EmptyRect(&r)) {
        *dstRect = Rect {0, 0, 0, 0};
        return false;
    }
    *dstRect = r;
    return true;
}

void UnionRect(const Rect* src1, const Rect* src2, Rect* dstRect)
{
    if (EmptyRect(src1)) {
        *dstRect = *src2;
        return;
    }
    if (EmptyRect(src2)) {
        *dstRect = *src1;
        return;
    }
    *dstRect = Rect {std::min(src1->top, src2->top), std::min(src1->left, src2->left),
        std::max(src1->bottom, src2->bottom), std::max(src1->right, src2->right)};
}

Boolean EqualRect(const Rect* rect1, const Rect* rect2)
{
    return rect1->top == rect2->top && rect1->left == rect2->left && rect1->bottom == rect2->bottom
        && rect1->right == rect2->right;
}

Boolean EmptyRect(const Rect* r)
{
    return r->bottom <= r->top || r->right <= r->left;
}

Boolean PtInRect(Point pt, const Rect* r)
{
    return pt.h >= r->left && pt.h < r->right && pt.v >= r->top && pt.v < r->bottom;
}

void Pt2Rect(Point pt1, Point pt2, Rect* dstRect)
{
    *dstRect = Rect {
        std::min(pt1.v, pt2.v), std::min(pt1.h, pt2.h), std::max(pt1.v, pt2.v), std::max(pt1.h, pt2.h)};
}

void SetPt(Point* pt, short h, short v)
{
    pt->h = h;
    pt->v = v;
}

Boolean EqualPt(Point pt1, Point pt2)
{
    return pt1.h == pt2.h && pt1.v == pt2.v;
}

void AddPt(Point src, Point* dst)
{
    dst->h = SInt16(dst->h + src.h);
    dst->v = SInt16(dst->v + src.v);
}

void SubPt(Point src, Point* dst)
{
    dst->h = SInt16(dst->h - src.h);
    dst->v = SInt16(dst->v - src.v);
}
