// Region arithmetic as the Window Manager uses it: overlapping rectangles,
// holes, membership, bounds and equality.
#include <Quickdraw.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct RegionCase {
    const char* name;
    std::function<void(RgnHandle a, RgnHandle b, RgnHandle out)> op;
    Rect a, b; // operands as rectangles (top, left, bottom, right)
    Rect bounds; // of the result
    std::vector<Point> inside, outside; // (v, h)
};

class RegionOps : public ::testing::TestWithParam<RegionCase> { };

TEST_P(RegionOps, GiveTheExpectedArea)
{
    const RegionCase& c = GetParam();
    RgnHandle a = NewRgn(), b = NewRgn(), out = NewRgn();
    RectRgn(a, &c.a);
    RectRgn(b, &c.b);
    c.op(a, b, out);
    Rect bounds;
    GetRegionBounds(out, &bounds);
    EXPECT_EQ(bounds.top, c.bounds.top);
    EXPECT_EQ(bounds.left, c.bounds.left);
    EXPECT_EQ(bounds.bottom, c.bounds.bottom);
    EXPECT_EQ(bounds.right, c.bounds.right);
    for (Point p : c.inside)
        EXPECT_TRUE(PtInRgn(p, out)) << p.h << "," << p.v;
    for (Point p : c.outside)
        EXPECT_FALSE(PtInRgn(p, out)) << p.h << "," << p.v;
    DisposeRgn(a);
    DisposeRgn(b);
    DisposeRgn(out);
}

INSTANTIATE_TEST_SUITE_P(Quickdraw, RegionOps,
    ::testing::Values(RegionCase {"UnionOfOverlapping", UnionRgn, {0, 0, 10, 10}, {5, 5, 15, 15},
                          {0, 0, 15, 15}, {{0, 0}, {14, 14}, {9, 12}}, {{0, 14}, {14, 0}, {-1, 10}}},
        RegionCase {"SectOfOverlapping", SectRgn, {0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10},
            {{5, 5}, {9, 9}}, {{4, 5}, {10, 9}}},
        RegionCase {"SectOfDisjointIsEmpty", SectRgn, {0, 0, 10, 10}, {20, 20, 30, 30}, {0, 0, 0, 0}, {},
            {{0, 0}, {25, 25}}},
        RegionCase {"DiffMakesAHole", DiffRgn, {0, 0, 10, 10}, {2, 2, 5, 5}, {0, 0, 10, 10},
            {{1, 1}, {5, 5}, {9, 0}}, {{2, 2}, {4, 4}, {3, 2}}},
        RegionCase {
            "DiffCoveringAllIsEmpty", DiffRgn, {2, 2, 5, 5}, {0, 0, 10, 10}, {0, 0, 0, 0}, {}, {{3, 3}}},
        RegionCase {"XorLeavesTheCorners", XorRgn, {0, 0, 10, 10}, {5, 5, 15, 15}, {0, 0, 15, 15},
            {{0, 0}, {14, 14}}, {{7, 7}, {0, 14}}},
        RegionCase {"EdgesAreExclusive", UnionRgn, {0, 0, 1, 1}, {0, 0, 0, 0}, {0, 0, 1, 1}, {{0, 0}},
            {{1, 0}, {0, 1}, {-1, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Regions, EqualAreasCompareEqualWhateverTheirHistory)
{
    RgnHandle left = NewRgn(), right = NewRgn(), joined = NewRgn(), whole = NewRgn();
    SetRectRgn(left, 0, 0, 5, 8);
    SetRectRgn(right, 5, 0, 10, 8);
    UnionRgn(left, right, joined);
    SetRectRgn(whole, 0, 0, 10, 8);
    EXPECT_TRUE(EqualRgn(joined, whole));
    EXPECT_TRUE(IsRegionRectangular(joined));
    OffsetRgn(whole, 1, 0);
    EXPECT_FALSE(EqualRgn(joined, whole));
    DisposeRgn(left);
    DisposeRgn(right);
    DisposeRgn(joined);
    DisposeRgn(whole);
}

TEST(Regions, InsetShrinksAnLShapeAlongItsEdges)
{
    RgnHandle l = NewRgn(), foot = NewRgn();
    SetRectRgn(l, 0, 0, 4, 10);
    SetRectRgn(foot, 0, 6, 10, 10);
    UnionRgn(l, foot, l);
    InsetRgn(l, 1, 1);
    Rect b;
    GetRegionBounds(l, &b);
    EXPECT_EQ(b.left, 1);
    EXPECT_EQ(b.top, 1);
    EXPECT_EQ(b.right, 9);
    EXPECT_EQ(b.bottom, 9);
    EXPECT_TRUE(PtInRgn(Point {5, 2}, l));
    EXPECT_TRUE(PtInRgn(Point {7, 8}, l));
    EXPECT_FALSE(PtInRgn(Point {6, 3}, l)); // the inner corner moved out by one
    EXPECT_FALSE(PtInRgn(Point {8, 9}, l));
    DisposeRgn(l);
    DisposeRgn(foot);
}

TEST(Regions, RectInRgnAndEmptiness)
{
    RgnHandle r = NewRgn();
    EXPECT_TRUE(EmptyRgn(r));
    SetRectRgn(r, 10, 10, 20, 20);
    EXPECT_FALSE(EmptyRgn(r));
    Rect touching {0, 0, 10, 10}, overlapping {15, 15, 30, 30};
    EXPECT_FALSE(RectInRgn(&touching, r));
    EXPECT_TRUE(RectInRgn(&overlapping, r));
    SetEmptyRgn(r);
    EXPECT_TRUE(EmptyRgn(r));
    DisposeRgn(r);
}

TEST(Rects, ArithmeticFollowsQuickdraw)
{
    Rect r;
    SetRect(&r, 10, 20, 30, 40); // left, top, right, bottom
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 30);
    EXPECT_TRUE(PtInRect(Point {20, 10}, &r));
    EXPECT_FALSE(PtInRect(Point {40, 10}, &r));
    EXPECT_FALSE(PtInRect(Point {20, 30}, &r));
    Rect inset = r;
    InsetRect(&inset, 11, 0); // wider than half: empty, and zeroed
    EXPECT_TRUE(EmptyRect(&inset));
    EXPECT_EQ(inset.left, 0);
    EXPECT_EQ(inset.bottom, 0);
    Rect other {25, 25, 50, 50}, sect, uni;
    EXPECT_TRUE(SectRect(&r, &other, &sect));
    EXPECT_EQ(sect.left, 25);
    EXPECT_EQ(sect.bottom, 40);
    UnionRect(&r, &other, &uni);
    EXPECT_EQ(uni.left, 10);
    EXPECT_EQ(uni.bottom, 50);
    Rect far {100, 100, 110, 110};
    EXPECT_FALSE(SectRect(&r, &far, &sect));
    EXPECT_TRUE(EmptyRect(&sect));
}

} // namespace
