// Construction, reset, copy, edge modes and resizing of the deformation grid.
#include "GridTestSupport.h"

#include <cmath>

using gridtest::HuxPoint2D;
using gridtest::MakeGrid;
using gridtest::SameBits;
using gridtest::SamePoints;

namespace {

// Moves every inner point by an amount that depends on its indices, so that
// no two points move alike.
void DeformInner(PSPlimGrid& grid, double scale)
{
    for (int r = 1; r <= grid.PointsDown() - 2; ++r) {
        for (int c = 1; c <= grid.PointsAcross() - 2; ++c) {
            HuxPoint2D& p = grid.At(c, r);
            p.x += scale * (0.25 * c - 0.125 * r);
            p.y += scale * (0.0625 * c + 0.1875 * r);
        }
    }
}

bool IsBorder(const PSPlimGrid& grid, int c, int r)
{
    return c == 1 || r == 1 || c == grid.PointsAcross() - 2 || r == grid.PointsDown() - 2;
}

} // namespace

TEST(PSPlimGridReset, NewGridIsRegularTwoByTwoWithFreeEdges)
{
    PSPlimGrid grid;
    EXPECT_EQ(grid.Width(), 2.0);
    EXPECT_EQ(grid.Height(), 2.0);
    EXPECT_EQ(grid.PointsAcross(), 5);
    EXPECT_EQ(grid.PointsDown(), 5);
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Free);
    EXPECT_EQ(grid.LookupCounter(), 0);
    EXPECT_EQ(grid.FailedTestCounter(), 0);
    EXPECT_EQ(grid.RememberedColumn(), 0);
    EXPECT_EQ(grid.RememberedRow(), 0);
    EXPECT_EQ(grid.Point(2, 2), (HuxPoint2D{1.0, 1.0}));
    EXPECT_EQ(grid.Point(3, 1), (HuxPoint2D{2.0, 0.0}));
}

TEST(PSPlimGridReset, FiveByFiveHasThreeByThreeVisiblePoints)
{
    PSPlimGrid grid;
    grid.Reset(3.0, 2.0, 5, 5);
    const double xs[5] = {0.0, 0.0, 1.5, 3.0, 3.0};
    const double ys[5] = {0.0, 0.0, 1.0, 2.0, 2.0};
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(grid.Point(c, r), (HuxPoint2D{xs[c], ys[r]})) << "point " << c << ", " << r;
    }
}

TEST(PSPlimGridReset, RingLiesOnTheBorderPoints)
{
    const double diagonal = std::sqrt(0.8 * 0.8 + 0.6 * 0.6);
    const double w = 0.8 / diagonal, h = 0.6 / diagonal;
    PSPlimGrid grid = MakeGrid(w, h, 52, 40);
    EXPECT_EQ(grid.Point(0, 0), (HuxPoint2D{0.0, 0.0}));
    EXPECT_EQ(grid.Point(51, 39), (HuxPoint2D{w, h}));
    for (int r = 0; r < 40; ++r) {
        EXPECT_EQ(grid.Point(0, r), grid.Point(1, r)) << "row " << r;
        EXPECT_EQ(grid.Point(51, r), grid.Point(50, r)) << "row " << r;
    }
    for (int c = 0; c < 52; ++c) {
        EXPECT_EQ(grid.Point(c, 0), grid.Point(c, 1)) << "column " << c;
        EXPECT_EQ(grid.Point(c, 39), grid.Point(c, 38)) << "column " << c;
    }
    EXPECT_EQ(grid.Point(11, 21), (HuxPoint2D{10 * w / 49, 20 * h / 37}));
}

// (49 * W) / 49 is not W for this width; the last column must still be on
// the border exactly, so that the edge modes find nothing to correct.
TEST(PSPlimGridReset, LastColumnLiesExactlyOnTheBorder)
{
    const double w = 1.0 / std::sqrt(17.0), h = 4.0 / std::sqrt(17.0);
    ASSERT_NE(49 * w / 49, w) << "width no longer exercises the rounding";
    PSPlimGrid grid = MakeGrid(w, h, 52, 52);
    EXPECT_EQ(grid.Point(50, 7).x, w);
    EXPECT_EQ(grid.Point(51, 7).x, w);
    PSPlimGrid fixed = grid;
    fixed.SetEdgeMode(PSPlimEdgeMode::Fixed);
    fixed.ApplyEdgeMode();
    EXPECT_TRUE(SameBits(grid, fixed));
    fixed.SetEdgeMode(PSPlimEdgeMode::Locked);
    fixed.ApplyEdgeMode();
    EXPECT_TRUE(SameBits(grid, fixed));
}

TEST(PSPlimGridReset, ClampsPointCountsAndResetsOnlyTheRememberedCell)
{
    PSPlimGrid grid = MakeGrid(1.0, 1.0, 20, 20, PSPlimEdgeMode::Locked);
    grid.InvertPoint({0.5, 0.5});
    grid.SetLookupState(7, 9, true);
    const int lookups = grid.LookupCounter();
    grid.Reset(1.0, 0.5, 2, 500);
    EXPECT_EQ(grid.PointsAcross(), kPSPlimMinGridPoints);
    EXPECT_EQ(grid.PointsDown(), kPSPlimMaxGridPoints);
    EXPECT_EQ(grid.Point(3, 150), (HuxPoint2D{1.0, 0.5}));
    EXPECT_EQ(grid.RememberedColumn(), 0);
    EXPECT_EQ(grid.RememberedRow(), 0);
    EXPECT_TRUE(grid.RememberedTriangle());
    EXPECT_EQ(grid.LookupCounter(), lookups);
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Locked);
}

TEST(PSPlimGridReset, CopyFromTakesPointsAndStateButKeepsItsExtent)
{
    PSPlimGrid source = MakeGrid(4.0, 2.0, 9, 6, PSPlimEdgeMode::Locked);
    DeformInner(source, 0.5);
    source.SetLookupState(3, 2, true);
    PSPlimGrid copy = MakeGrid(1.0, 1.0, 5, 5);
    copy.CopyFrom(source);
    EXPECT_TRUE(SameBits(source, copy));
    EXPECT_EQ(copy.PointsAcross(), 9);
    EXPECT_EQ(copy.PointsDown(), 6);
    EXPECT_EQ(copy.EdgeMode(), PSPlimEdgeMode::Locked);
    EXPECT_EQ(copy.RememberedColumn(), 3);
    EXPECT_EQ(copy.RememberedRow(), 2);
    EXPECT_EQ(copy.Width(), 1.0);
    EXPECT_EQ(copy.Height(), 1.0);
}

TEST(PSPlimGridEdgeMode, FixedPutsTheBorderBackAndKeepsTheInterior)
{
    PSPlimGrid grid = MakeGrid(4.0, 3.0, 8, 7, PSPlimEdgeMode::Fixed);
    const PSPlimGrid regular = MakeGrid(4.0, 3.0, 8, 7);
    DeformInner(grid, 1.0);
    PSPlimGrid deformed;
    deformed.CopyFrom(grid);
    grid.ApplyEdgeMode();
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 8; ++c) {
            const bool reset = IsBorder(grid, c, r) || c == 0 || r == 0 || c == 7 || r == 6;
            const HuxPoint2D& expected = reset ? regular.Point(c, r) : deformed.Point(c, r);
            EXPECT_EQ(grid.Point(c, r), expected) << "point " << c << ", " << r;
        }
    }
}

TEST(PSPlimGridEdgeMode, LockedKeepsTheBorderOnTheBorderLines)
{
    PSPlimGrid grid = MakeGrid(4.0, 3.0, 7, 7, PSPlimEdgeMode::Locked);
    grid.At(1, 1) = {-0.5, -0.25};  // top-left corner pushed out
    grid.At(5, 5) = {4.5, 3.75};    // bottom-right corner pushed out
    grid.At(1, 3) = {-0.375, 3.5};  // left edge, below the image
    grid.At(5, 2) = {3.25, 0.625};  // right edge pulled in
    grid.At(3, 1) = {5.0, 0.5};     // top edge, right of the image
    grid.At(2, 5) = {1.25, 2.5};    // bottom edge pulled in
    grid.At(3, 3) = {2.125, 1.625}; // interior
    grid.ApplyEdgeMode();
    EXPECT_EQ(grid.Point(1, 1), (HuxPoint2D{0.0, 0.0}));
    EXPECT_EQ(grid.Point(5, 5), (HuxPoint2D{4.0, 3.0}));
    EXPECT_EQ(grid.Point(1, 3), (HuxPoint2D{0.0, 3.0}));
    EXPECT_EQ(grid.Point(5, 2), (HuxPoint2D{4.0, 0.625}));
    EXPECT_EQ(grid.Point(3, 1), (HuxPoint2D{4.0, 0.0}));
    EXPECT_EQ(grid.Point(2, 5), (HuxPoint2D{1.25, 3.0}));
    EXPECT_EQ(grid.Point(3, 3), (HuxPoint2D{2.125, 1.625}));
    EXPECT_EQ(grid.Point(0, 0), (HuxPoint2D{0.0, 0.0})) << "the ring never moves";
}

TEST(PSPlimGridEdgeMode, FreeModeChangesNothing)
{
    {
        const PSPlimEdgeMode mode = PSPlimEdgeMode::Free;
        PSPlimGrid grid = MakeGrid(4.0, 3.0, 7, 7, mode);
        DeformInner(grid, 2.0);
        PSPlimGrid before;
        before.CopyFrom(grid);
        grid.ApplyEdgeMode();
        EXPECT_TRUE(SameBits(before, grid)) << "mode " << PSPlimStored(mode);
    }
}

TEST(PSPlimGridResize, RegularGridStaysRegular)
{
    const double w = 0.8, h = 0.6;
    PSPlimGrid grid = MakeGrid(w, h, 52, 52);
    grid.Resize(w, h, 102, 102);
    const PSPlimGrid regular = MakeGrid(w, h, 102, 102);
    EXPECT_TRUE(SamePoints(regular, grid, 1e-15));
    for (int k = 0; k < 102; ++k) { // the ring and the outermost inner lines exactly
        for (int ring : {0, 101}) {
            EXPECT_EQ(grid.Point(ring, k), regular.Point(ring, k)) << ring << ", " << k;
            EXPECT_EQ(grid.Point(k, ring), regular.Point(k, ring)) << k << ", " << ring;
        }
        EXPECT_EQ(grid.Point(1, k).x, 0.0) << "row " << k;
        EXPECT_EQ(grid.Point(100, k).x, w) << "row " << k;
        EXPECT_EQ(grid.Point(k, 1).y, 0.0) << "column " << k;
        EXPECT_EQ(grid.Point(k, 100).y, h) << "column " << k;
    }
}

TEST(PSPlimGridResize, SameSizeKeepsADeformationBitForBit)
{
    PSPlimGrid grid = MakeGrid(0.8, 0.6, 13, 9);
    DeformInner(grid, 0.01);
    grid.At(1, 1).x = -0.0;
    PSPlimGrid before;
    before.CopyFrom(grid);
    grid.Resize(0.8, 0.6, 13, 9);
    for (int r = 1; r <= 7; ++r) {
        for (int c = 1; c <= 11; ++c)
            EXPECT_EQ(grid.Point(c, r), before.Point(c, r)) << c << ", " << r;
    }
}

TEST(PSPlimGridResize, CarriesTheDeformationToTheNewDensityAndExtent)
{
    PSPlimGrid grid = MakeGrid(2.0, 2.0, 5, 5);
    grid.At(2, 2) = {1.5, 0.5}; // the centre point
    grid.SetLookupState(2, 2, false);
    grid.Resize(4.0, 2.0, 7, 7);
    EXPECT_EQ(grid.Width(), 4.0);
    EXPECT_EQ(grid.PointsAcross(), 7);
    EXPECT_EQ(grid.Point(3, 3), (HuxPoint2D{3.0, 0.5})) << "centre carried over, x doubled";
    // Half-way between the old corner (0, 0) and the old centre: the mean of
    // the old (1,1), (2,1), (1,2) and (2,2), scaled.
    EXPECT_EQ(grid.Point(2, 2), (HuxPoint2D{(0.0 + 1.0 + 0.0 + 1.5) / 4 * 2.0, (0.0 + 0.0 + 1.0 + 0.5) / 4}));
    EXPECT_EQ(grid.Point(5, 5), (HuxPoint2D{4.0, 2.0}));
    EXPECT_EQ(grid.Point(6, 3), (HuxPoint2D{4.0, 1.0})) << "ring on its new regular position";
    EXPECT_EQ(grid.RememberedColumn(), 0);
    EXPECT_EQ(grid.RememberedRow(), 0);
}

TEST(PSPlimGridResize, EndsWithTheEdgeModeAndPutsTheRingBack)
{
    PSPlimGrid grid = MakeGrid(2.0, 2.0, 6, 6, PSPlimEdgeMode::Free);
    grid.At(1, 2) = {-0.5, 0.75};
    grid.At(0, 3) = {-3.0, -3.0}; // a stray ring point
    grid.SetEdgeMode(PSPlimEdgeMode::Locked);
    grid.Resize(2.0, 2.0, 11, 11);
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(grid.Point(1, r).x, 0.0) << "row " << r;
    for (int r = 0; r <= 10; ++r)
        EXPECT_EQ(grid.Point(0, r), grid.RegularPosition(0, r)) << "row " << r;
}
