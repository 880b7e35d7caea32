// Seeded randomised checks that the inverse lookup undoes the forward map of
// mildly deformed grids, whatever cell the search starts from.
#include "GridTestSupport.h"

#include <algorithm>
#include <random>

using gridtest::ForwardMap;
using gridtest::HuxPoint2D;
using gridtest::ReplayLine;

namespace {

// Border points moved outwards would fold the ring cells over the inner
// ones, and the ring would rightly claim part of the image: keep them in.
void KeepBorderInside(PSPlimGrid& grid)
{
    const int lastColumn = grid.PointsAcross() - 2, lastRow = grid.PointsDown() - 2;
    for (int r = 1; r <= lastRow; ++r) {
        grid.At(1, r).x = std::max(grid.At(1, r).x, 0.0);
        grid.At(lastColumn, r).x = std::min(grid.At(lastColumn, r).x, grid.Width());
    }
    for (int c = 1; c <= lastColumn; ++c) {
        grid.At(c, 1).y = std::max(grid.At(c, 1).y, 0.0);
        grid.At(c, lastRow).y = std::min(grid.At(c, lastRow).y, grid.Height());
    }
}

// A grid of random size and aspect whose inner points are shifted by up to
// a fifth of a cell each way: no triangle folds over.
PSPlimGrid RandomMildGrid(std::mt19937& random, PSPlimEdgeMode edgeMode)
{
    std::uniform_int_distribution<int> count(5, 40);
    std::uniform_real_distribution<double> aspect(0.2, 1.0);
    const double w = aspect(random), h = aspect(random);
    PSPlimGrid grid = gridtest::MakeGrid(w, h, count(random), count(random), edgeMode);
    const double cellW = w / (grid.PointsAcross() - 3), cellH = h / (grid.PointsDown() - 3);
    std::uniform_real_distribution<double> shift(-0.2, 0.2);
    for (int r = 1; r <= grid.PointsDown() - 2; ++r) {
        for (int c = 1; c <= grid.PointsAcross() - 2; ++c) {
            grid.At(c, r).x += shift(random) * cellW;
            grid.At(c, r).y += shift(random) * cellH;
        }
    }
    KeepBorderInside(grid);
    grid.ApplyEdgeMode();
    return grid;
}

void CheckRoundTrips(unsigned seed, PSPlimEdgeMode edgeMode)
{
    std::mt19937 random(seed);
    SCOPED_TRACE(ReplayLine(seed));
    PSPlimGrid grid = RandomMildGrid(random, edgeMode);
    std::uniform_real_distribution<double> unitX(0.0, grid.Width()), unitY(0.0, grid.Height());
    for (int k = 0; k < 400; ++k) {
        const HuxPoint2D q{unitX(random), unitY(random)};
        const HuxPoint2D p = ForwardMap(grid, q);
        const HuxPoint2D r = grid.InvertPoint(p);
        ASSERT_NEAR(r.x, q.x, 1e-9) << "query " << k << " at (" << p.x << ", " << p.y << ")";
        ASSERT_NEAR(r.y, q.y, 1e-9) << "query " << k << " at (" << p.x << ", " << p.y << ")";
    }
}

} // namespace

TEST(PSPlimGridInvertRandom, UndoesTheForwardMapWithFixedEdges)
{
    for (unsigned seed = 1000; seed < 1040; ++seed)
        CheckRoundTrips(seed, PSPlimEdgeMode::Fixed);
}

TEST(PSPlimGridInvertRandom, UndoesTheForwardMapWithFreeEdges)
{
    for (unsigned seed = 2000; seed < 2040; ++seed)
        CheckRoundTrips(seed, PSPlimEdgeMode::Free);
}

TEST(PSPlimGridInvertRandom, ResultDoesNotDependOnWhereTheSearchStarts)
{
    const unsigned seed = 3001;
    std::mt19937 random(seed);
    SCOPED_TRACE(ReplayLine(seed));
    PSPlimGrid grid = RandomMildGrid(random, PSPlimEdgeMode::Fixed);
    std::uniform_int_distribution<int> column(0, grid.PointsAcross() - 2), row(0, grid.PointsDown() - 2);
    std::uniform_real_distribution<double> unitX(0.0, grid.Width()), unitY(0.0, grid.Height());
    for (int k = 0; k < 300; ++k) {
        const HuxPoint2D p{unitX(random), unitY(random)};
        grid.SetLookupState(0, 0, false);
        const HuxPoint2D expected = grid.InvertPoint(p);
        grid.SetLookupState(column(random), row(random), random() % 2 == 0);
        const HuxPoint2D r = grid.InvertPoint(p);
        ASSERT_NEAR(r.x, expected.x, 1e-12) << "query " << k;
        ASSERT_NEAR(r.y, expected.y, 1e-12) << "query " << k;
        const HuxPoint2D back = ForwardMap(grid, r);
        ASSERT_NEAR(back.x, p.x, 1e-9) << "query " << k;
        ASSERT_NEAR(back.y, p.y, 1e-9) << "query " << k;
    }
}
