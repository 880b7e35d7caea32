// The inverse lookup: results, the ring, failures and the search order as the
// counters and the remembered cell show it.
#include "GridTestSupport.h"

#include <cmath>
#include <limits>

using gridtest::HuxPoint2D;
using gridtest::MakeGrid;

namespace {

// 4 x 2 units, 7 x 7 points: inner point (c, r) at (c - 1, (r - 1) / 2), so
// cell (a, b) covers x in [a - 1, a] and y in [(b - 1) / 2, b / 2]. Every
// quarter and eighth is exact in binary.
PSPlimGrid LookupGrid()
{
    return MakeGrid(4.0, 2.0, 7, 7);
}

// Failed tests that one lookup adds.
int FailedTestsOf(PSPlimGrid& grid, HuxPoint2D query, HuxPoint2D& result)
{
    const int before = grid.FailedTestCounter();
    result = grid.InvertPoint(query);
    return grid.FailedTestCounter() - before;
}

} // namespace

TEST(PSPlimGridInvert, UndeformedGridIsTheIdentityExactly)
{
    PSPlimGrid grid = LookupGrid();
    for (int j = 0; j <= 16; ++j) {
        for (int i = 0; i <= 16; ++i) {
            const HuxPoint2D q{i / 4.0, j / 8.0};
            EXPECT_EQ(grid.InvertPoint(q), q) << "at " << q.x << ", " << q.y;
        }
    }
    EXPECT_EQ(grid.LookupCounter(), 17 * 17);
}

TEST(PSPlimGridInvert, UndeformedGridIsTheIdentityWithinRounding)
{
    const double diagonal = std::sqrt(0.8 * 0.8 + 0.6 * 0.6);
    PSPlimGrid grid = MakeGrid(0.8 / diagonal, 0.6 / diagonal, 52, 40);
    for (int j = 0; j <= 60; ++j) {
        for (int i = 0; i <= 80; ++i) {
            const HuxPoint2D q{grid.Width() * i / 80, grid.Height() * j / 60};
            const HuxPoint2D r = grid.InvertPoint(q);
            EXPECT_NEAR(r.x, q.x, 1e-14) << "at " << i << ", " << j;
            EXPECT_NEAR(r.y, q.y, 1e-14) << "at " << i << ", " << j;
        }
    }
}

TEST(PSPlimGridInvert, PositionsOutsideTheGridAreClampedOntoIt)
{
    PSPlimGrid grid = LookupGrid();
    EXPECT_EQ(grid.InvertPoint({-3.0, 1.25}), (HuxPoint2D{0.0, 1.25}));
    EXPECT_EQ(grid.InvertPoint({1e308, -1e308}), (HuxPoint2D{4.0, 0.0}));
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(grid.InvertPoint({infinity, infinity}), (HuxPoint2D{4.0, 2.0}));
}

TEST(PSPlimGridInvert, DeformedCellMapsBackOntoTheQuery)
{
    PSPlimGrid grid = MakeGrid(2.0, 2.0, 5, 5);
    grid.At(2, 2) = {1.5, 1.5}; // the centre point
    // On the moved point: where the centre was.
    EXPECT_EQ(grid.InvertPoint({1.5, 1.5}), (HuxPoint2D{1.0, 1.0}));
    // Cell (1, 1), upper-left triangle, untouched by the move.
    EXPECT_EQ(grid.InvertPoint({0.25, 0.5}), (HuxPoint2D{0.25, 0.5}));
    // Lower-right triangle of cell (1, 1): s = t = 1/4 from the centre.
    const HuxPoint2D r = grid.InvertPoint({1.0, 1.0});
    EXPECT_DOUBLE_EQ(r.x, 0.75);
    EXPECT_DOUBLE_EQ(r.y, 0.75);
    const HuxPoint2D back = gridtest::ForwardMap(grid, r);
    EXPECT_NEAR(back.x, 1.0, 1e-15);
    EXPECT_NEAR(back.y, 1.0, 1e-15);
}

TEST(PSPlimGridInvert, LeftRingMapsToMinusOneAndKeepsItsY)
{
    PSPlimGrid grid = LookupGrid();
    for (int r = 1; r <= 5; ++r)
        grid.At(1, r).x = 0.5;
    EXPECT_EQ(grid.InvertPoint({0.125, 0.625}), (HuxPoint2D{-1.0, 0.625}));
}

// The top ring sends y off the image and keeps x, so that exposed pixels
// along the top edge take the edge pixel above them, not the corner's.
TEST(PSPlimGridInvert, TopRingMapsToMinusOneAndKeepsItsX)
{
    PSPlimGrid grid = LookupGrid();
    for (int c = 1; c <= 5; ++c)
        grid.At(c, 1).y = 0.25;
    EXPECT_EQ(grid.InvertPoint({1.25, 0.125}), (HuxPoint2D{1.25, -1.0}));
    EXPECT_EQ(grid.InvertPoint({3.5, 0.0625}), (HuxPoint2D{3.5, -1.0}));
}

TEST(PSPlimGridInvert, RightAndBottomRingsMapBeyondTheExtent)
{
    PSPlimGrid grid = LookupGrid();
    for (int k = 1; k <= 5; ++k) {
        grid.At(5, k).x = 3.5;
        grid.At(k, 5).y = 1.75;
    }
    EXPECT_EQ(grid.InvertPoint({3.625, 0.625}), (HuxPoint2D{4.25, 0.625}));
    EXPECT_EQ(grid.InvertPoint({1.25, 1.875}), (HuxPoint2D{1.25, 2.25}));
}

TEST(PSPlimGridInvert, CollapsedGridFailsWithoutTestingTrianglesThatHoldNothing)
{
    PSPlimGrid grid = LookupGrid();
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c)
            grid.At(c, r) = {1.0, 1.0};
    }
    HuxPoint2D result{9.0, 9.0};
    // Remembered cell and its two triangles, the next cell, the cell under
    // the point; no other triangle can hold a point, so none is listed.
    EXPECT_EQ(FailedTestsOf(grid, {2.0, 1.0}, result), 2 + 2 + 2);
    EXPECT_EQ(result, (HuxPoint2D{0.0, 0.0}));
    EXPECT_EQ(grid.RememberedColumn(), 0);
    EXPECT_EQ(grid.RememberedRow(), 0);
    EXPECT_EQ(grid.LookupCounter(), 1);
}

TEST(PSPlimGridInvert, PositionOutsideAShrunkenMeshFailsAndResetsTheCell)
{
    PSPlimGrid grid = LookupGrid();
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            grid.At(c, r).x *= 0.5;
            grid.At(c, r).y *= 0.5;
        }
    }
    grid.SetLookupState(3, 3, true);
    EXPECT_EQ(grid.InvertPoint({3.5, 1.75}), (HuxPoint2D{0.0, 0.0}));
    EXPECT_EQ(grid.RememberedColumn(), 0);
    EXPECT_EQ(grid.RememberedRow(), 0);
    // The mesh itself is still found.
    EXPECT_EQ(grid.InvertPoint({0.75, 0.375}), (HuxPoint2D{1.5, 0.75}));
}

// A push along a thin grid with free edges draws its long sides inwards:
// the image's border then lies on the outer edge of the ring's thin cells,
// where rounding may put a point a hair outside every triangle. The nearest
// within rounding holds it, in the ring or the inner cells; none is lost to
// the (0, 0) of a miss, on either side or turned.
TEST(PSPlimGridInvert, BorderOfAnEdgeMovedInwardsIsNotLostToRounding)
{
    constexpr int kLong = 1250, kShort = 25;
    const double diagonal = std::sqrt(double(kLong) * kLong + kShort * kShort);
    for (const bool tall : {true, false}) {
        PSPlimGrid grid = MakeGrid((tall ? kShort : kLong) / diagonal, (tall ? kLong : kShort) / diagonal, 52, 52);
        const auto at = [&](double along, double across) {
            return tall ? HuxPoint2D{grid.Width() * across, grid.Height() * along}
                        : HuxPoint2D{grid.Width() * along, grid.Height() * across};
        };
        for (int i = 0; i < 80; ++i)
            grid.Push(at(0.95 - 0.9 * i / 80, 0.4 + 0.2 * i / 80), at(0.95 - 0.9 * (i + 1) / 80, 0.4 + 0.2 * (i + 1) / 80),
                      0.1, 1.0);
        int lost = 0;
        for (int k = 1; k <= kLong; ++k) {
            for (const double side : {0.0, 1.0})
                lost += grid.InvertPoint(at(double(k) / kLong, side)) == HuxPoint2D{0.0, 0.0} ? 1 : 0;
        }
        EXPECT_EQ(lost, 0) << (tall ? "tall" : "wide");
    }
}

TEST(PSPlimGridInvert, NotANumberNeverMatches)
{
    PSPlimGrid grid = LookupGrid();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(grid.InvertPoint({nan, 0.5}), (HuxPoint2D{0.0, 0.0}));
    EXPECT_EQ(grid.InvertPoint({nan, nan}), (HuxPoint2D{0.0, 0.0}));
    grid.At(3, 3) = {nan, nan};
    EXPECT_EQ(grid.InvertPoint({3.25, 1.75}), (HuxPoint2D{3.25, 1.75})) << "cells away from the bad point still work";
    grid.InvertPoint({2.0, 1.0});
    EXPECT_EQ(grid.LookupCounter(), 4);
}

TEST(PSPlimGridInvertCounters, RememberedTriangleHitsFirstTime)
{
    PSPlimGrid grid = LookupGrid();
    grid.SetLookupState(2, 2, true);
    HuxPoint2D result;
    EXPECT_EQ(FailedTestsOf(grid, {1.25, 0.625}, result), 0);
    EXPECT_EQ(result, (HuxPoint2D{1.25, 0.625}));
    // The other triangle of the same cell: one miss, and the remembered
    // triangle stays.
    EXPECT_EQ(FailedTestsOf(grid, {1.75, 0.875}, result), 1);
    EXPECT_EQ(result, (HuxPoint2D{1.75, 0.875}));
    EXPECT_TRUE(grid.RememberedTriangle());
    EXPECT_EQ(grid.LookupCounter(), 2);
    grid.ClearCounters();
    EXPECT_EQ(grid.LookupCounter(), 0);
    EXPECT_EQ(grid.FailedTestCounter(), 0);
}

TEST(PSPlimGridInvertCounters, NextCellAlongTheRowIsTriedSecond)
{
    PSPlimGrid grid = LookupGrid();
    grid.SetLookupState(2, 2, true);
    HuxPoint2D result;
    EXPECT_EQ(FailedTestsOf(grid, {2.25, 0.625}, result), 2);
    EXPECT_EQ(result, (HuxPoint2D{2.25, 0.625}));
    EXPECT_EQ(grid.RememberedColumn(), 3);
    EXPECT_EQ(grid.RememberedRow(), 2);
    EXPECT_TRUE(grid.RememberedTriangle());
    // Lower-right triangle of the next cell: the triangle flips and stays.
    EXPECT_EQ(FailedTestsOf(grid, {3.75, 0.875}, result), 3);
    EXPECT_EQ(result, (HuxPoint2D{3.75, 0.875}));
    EXPECT_EQ(grid.RememberedColumn(), 4);
    EXPECT_FALSE(grid.RememberedTriangle());
}

TEST(PSPlimGridInvertCounters, NextCellWrapsToTheStartOfTheNextRow)
{
    PSPlimGrid grid = LookupGrid();
    for (int r = 1; r <= 5; ++r)
        grid.At(1, r).x = 0.5; // gives the left ring cells an area
    grid.SetLookupState(5, 2, true);
    HuxPoint2D result;
    EXPECT_EQ(FailedTestsOf(grid, {0.125, 1.125}, result), 2);
    EXPECT_EQ(result, (HuxPoint2D{-1.0, 1.125}));
    EXPECT_EQ(grid.RememberedColumn(), 0);
    EXPECT_EQ(grid.RememberedRow(), 3);
}

// From the last cell of the last inner row the search goes straight to the
// cell whose undeformed area holds the point, (2, 2), where the remembered
// triangle hits.
TEST(PSPlimGridInvertCounters, CellUnderThePointAfterTheLastRow)
{
    PSPlimGrid grid = LookupGrid();
    grid.SetLookupState(5, 4, true);
    HuxPoint2D result;
    EXPECT_EQ(FailedTestsOf(grid, {1.25, 0.625}, result), 2);
    EXPECT_EQ(result, (HuxPoint2D{1.25, 0.625}));
    EXPECT_EQ(grid.RememberedColumn(), 2);
    EXPECT_EQ(grid.RememberedRow(), 2);
    EXPECT_TRUE(grid.RememberedTriangle());
}

// After a long push along a thin grid the material at a point came from
// dozens of cells away; the search goes through the triangles over the
// point, so it costs a few tests however far the answer lies from the cell
// under the point (a search widening around that cell made thousands here).
TEST(PSPlimGridInvertCounters, SearchAfterALongPushTestsOnlyTrianglesOverThePoint)
{
    PSPlimGrid grid = MakeGrid(0.2, 1.0, 52, 52, PSPlimEdgeMode::Fixed);
    for (int i = 0; i < 80; ++i)
        grid.Push({0.1, 0.05 + 0.01 * i}, {0.1, 0.06 + 0.01 * i}, 0.1, 1.0);
    for (int j = 1; j < 10; ++j) {
        HuxPoint2D result;
        grid.SetLookupState(49, 49, true);
        EXPECT_LE(FailedTestsOf(grid, {0.1, 0.1 * j}, result), 2 + 2 + 2 + 12) << "at y " << 0.1 * j;
    }
}

// A scan along a row at t = 1/4 in steps of a quarter cell: the point on a
// cell's right edge lies past the diagonal and costs one miss (the other
// triangle does not become the remembered one); entering a new cell costs two.
TEST(PSPlimGridInvertCounters, ScanAlongARowFollowsTheCells)
{
    PSPlimGrid grid = LookupGrid();
    grid.SetLookupState(1, 2, true);
    for (int i = 0; i <= 16; ++i) {
        const HuxPoint2D q{i / 4.0, 0.625};
        EXPECT_EQ(grid.InvertPoint(q), q);
    }
    EXPECT_EQ(grid.LookupCounter(), 17);
    EXPECT_EQ(grid.FailedTestCounter(), 4 * 1 + 3 * 2);
    EXPECT_EQ(grid.RememberedColumn(), 4);
}

// A grid folded over the bottom ring: the inner bottom edge point (3, 5) is
// pulled below the ring and (4, 5) lifted, so (2.2, 3.95) lies both in the
// upper-left triangle of the bottom ring cell (3, 5) and in the upper-left
// triangle of the inner cell (3, 4) above it.
namespace {
PSPlimGrid FoldedOverTheBottomRing()
{
    PSPlimGrid grid = gridtest::UnitCellGrid();
    grid.At(3, 5) = {2.0, 4.5};
    grid.At(4, 5) = {3.0, 3.6};
    return grid;
}
} // namespace

// A step along the bottom row of cells is taken like any other: from cell
// (2, 5) the next cell (3, 5) holds the point, before the search could reach
// the other triangle in cell (3, 4). The ring lies under the picture, so the
// inner cell gives the result all the same, wherever the search starts.
TEST(PSPlimGridInvertCounters, NextCellAlongTheBottomRowOfCellsIsTried)
{
    PSPlimGrid grid = FoldedOverTheBottomRing();
    grid.SetLookupState(2, 5, true);
    HuxPoint2D result;
    EXPECT_EQ(FailedTestsOf(grid, {2.2, 3.95}, result), 2);
    EXPECT_EQ(grid.RememberedColumn(), 3);
    EXPECT_EQ(grid.RememberedRow(), 5);
    EXPECT_TRUE(grid.RememberedTriangle());
    EXPECT_LT(result.y, 4.0) << "the ring cell's s = 0.2, t = 0.74 would put it beyond the bottom of the grid";

    grid.SetLookupState(0, 0, true);
    EXPECT_EQ(grid.InvertPoint({2.2, 3.95}), result);
    EXPECT_EQ(grid.RememberedColumn(), 3);
    EXPECT_EQ(grid.RememberedRow(), 4);
}
