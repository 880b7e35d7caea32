// The grid mapping against its arithmetic written out: cache coordinates to
// grid units, the grid's inverse, and back; tabled corners included.
#include "grid/PSPlimGrid.h"
#include "warp/GridRender.h"
#include "warp/PSPlimGridMapping.h"

#include <gtest/gtest.h>

#include <random>

using HuxGeometry::HuxPoint2D;

namespace {

// What MapPoint must return, computed straight from the grid with the
// lookup state the mapping will start from.
HuxPoint2D Plain(PSPlimGrid& grid, const HuxRect& r, HuxPoint2D p)
{
    const double w = grid.Width(), h = grid.Height();
    const HuxPoint2D q = grid.InvertPoint({(p.x - r.left) * w / (r.right - r.left), (p.y - r.top) * h / (r.bottom - r.top)});
    return {(r.right - r.left) * (q.x / w) + r.left, (r.bottom - r.top) * (q.y / h) + r.top};
}

void ExpectSameAsPlain(PSPlimGrid& grid, PSPlimGridMapping& mapping, const HuxRect& rect, HuxPoint2D p,
                       uint32_t seed)
{
    const int column = grid.RememberedColumn(), row = grid.RememberedRow();
    const bool triangle = grid.RememberedTriangle();
    const HuxPoint2D expected = Plain(grid, rect, p);
    grid.SetLookupState(column, row, triangle);
    const HuxPoint2D actual = mapping.MapPoint(p);
    ASSERT_EQ(actual, expected) << "at (" << p.x << ", " << p.y << "); seed " << seed
                                << ", replay: test_warp --gtest_filter=GridMapping.*";
}

} // namespace

TEST(GridMapping, CornersAndOtherPositionsFollowThePlainArithmetic)
{
    const uint32_t seed = 5150;
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 301, 207, 17);
    WarpTest::DeformGrid(grid, seed, WarpTest::Strokes{});
    const HuxRect rect{-20, 13, 281, 220};
    PSPlimGridMapping mapping(grid);
    mapping.SetRectangle(rect);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> column(rect.left - 5, rect.right + 5), row(rect.top - 5, rect.bottom + 5);
    std::uniform_real_distribution<double> anywhere(-40.0, 340.0);
    for (int i = 0; i < 3000; ++i) {
        // Pixel corners (tabled inside the rectangle), then arbitrary positions.
        ExpectSameAsPlain(grid, mapping, rect, {column(random) - 0.5, row(random) - 0.5}, seed);
        ExpectSameAsPlain(grid, mapping, rect, {anywhere(random), anywhere(random)}, seed);
    }
}

TEST(GridMapping, FollowsAGridResetAfterTheRectangleWasSet)
{
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 100, 80, 9);
    const HuxRect rect{0, 0, 100, 80};
    PSPlimGridMapping mapping(grid);
    mapping.SetRectangle(rect);
    grid.Reset(0.3, 0.9, 12, 7);
    grid.At(5, 3).x += 0.01;
    for (double y = -0.5; y < 81; y += 7.0) {
        for (double x = -0.5; x < 101; x += 3.0)
            ExpectSameAsPlain(grid, mapping, rect, {x, y}, 0);
    }
}
