// One answer per point: the inverse lookup's result depends on the point and
// the grid alone, not on what was looked up before, where the mesh folds and
// on the edges that neighbouring triangles share.
#include "GridTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

using gridtest::HuxPoint2D;

namespace {

constexpr int kWidth = 300, kHeight = 200, kTile = 128;

// The grid of a 300 x 200 image after one push from beyond its left edge
// across its left part: the content under the brush overtakes the content
// ahead of it, and the mesh folds.
PSPlimGrid PushedOverItself()
{
    const double diagonal = std::sqrt(double(kWidth) * kWidth + double(kHeight) * kHeight);
    PSPlimGrid grid = gridtest::MakeGrid(kWidth / diagonal, kHeight / diagonal, 52, 52, PSPlimEdgeMode::Fixed);
    grid.Push({-100 / diagonal, 100 / diagonal}, {100 / diagonal, 100 / diagonal}, 0.25, 1.0);
    return grid;
}

int TurnedOverTriangles(const PSPlimGrid& grid)
{
    int count = 0;
    for (int b = 1; b + 2 < grid.PointsDown(); ++b) {
        for (int a = 1; a + 2 < grid.PointsAcross(); ++a) {
            const HuxPoint2D p = grid.Point(a, b), right = grid.Point(a + 1, b), below = grid.Point(a, b + 1);
            count += (right.x - p.x) * (below.y - p.y) - (right.y - p.y) * (below.x - p.x) < 0.0 ? 1 : 0;
        }
    }
    return count;
}

// Results of the pixel corners (i, j) at (i - 0.5, j - 0.5) so far.
struct Corners {
    std::vector<HuxPoint2D> results = std::vector<HuxPoint2D>((kWidth + 1) * (kHeight + 1));
    std::vector<bool> seen = std::vector<bool>(results.size());
};

// Looks corner (i, j) up and checks it against every earlier lookup of it.
testing::AssertionResult LookUp(PSPlimGrid& grid, int i, int j, Corners& corners)
{
    const double x = (i - 0.5) * grid.Width() / kWidth, y = (j - 0.5) * grid.Height() / kHeight;
    const HuxPoint2D result = grid.InvertPoint({x, y});
    const size_t k = size_t(j) * (kWidth + 1) + size_t(i);
    const HuxPoint2D earlier = corners.results[k];
    if (!corners.seen[k] || std::memcmp(&earlier, &result, sizeof result) == 0) {
        corners.results[k] = result;
        corners.seen[k] = true;
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "corner (" << i << ", " << j << ") gave (" << earlier.x << ", " << earlier.y
                                       << ") before, now (" << result.x << ", " << result.y << ")";
}

} // namespace

// The final render walks the corners of 128-pixel tiles, the preview whole
// rows: tiles in row order, in reverse, and rows give every corner the same
// bits.
TEST(PSPlimGridInvertOrder, TileOrderAndRowsGiveEveryCornerTheSameResult)
{
    PSPlimGrid grid = PushedOverItself();
    ASSERT_GT(TurnedOverTriangles(grid), 0) << "the push must fold the mesh";
    std::vector<std::pair<int, int>> tiles;
    for (int y0 = 0; y0 < kHeight; y0 += kTile) {
        for (int x0 = 0; x0 < kWidth; x0 += kTile)
            tiles.emplace_back(x0, y0);
    }
    Corners corners;
    for (const bool reverse : {false, true}) {
        for (size_t k = 0; k < tiles.size(); ++k) {
            const auto [x0, y0] = tiles[reverse ? tiles.size() - 1 - k : k];
            for (int j = y0; j <= std::min(y0 + kTile, kHeight); ++j) {
                for (int i = x0; i <= std::min(x0 + kTile, kWidth); ++i)
                    ASSERT_TRUE(LookUp(grid, i, j, corners)) << "tile at " << x0 << ", " << y0;
            }
        }
    }
    for (int j = kHeight; j >= 0; --j) {
        for (int i = 0; i <= kWidth; ++i)
            ASSERT_TRUE(LookUp(grid, i, j, corners)) << "rows from the bottom";
    }
}

// A point on an edge that two triangles of an unfolded mesh share lies in
// both, and each would give it from its own corners, not always to the last
// bit: the answer is one of them whichever the search meets first. Where
// both give the same bits, as on the undeformed grid, that is the answer.
TEST(PSPlimGridInvertOrder, SharedEdgesGiveOneAnswerFromEitherSide)
{
    const unsigned seed = 3100;
    std::mt19937 random(seed);
    SCOPED_TRACE(gridtest::ReplayLine(seed));
    PSPlimGrid undeformed = gridtest::UnitCellGrid();
    PSPlimGrid shaken = gridtest::MakeGrid(0.8, 0.6, 9, 8, PSPlimEdgeMode::Fixed);
    std::uniform_real_distribution<double> shift(-0.02, 0.02);
    for (int r = 2; r <= 5; ++r) {
        for (int c = 2; c <= 6; ++c)
            shaken.At(c, r) = {shaken.Point(c, r).x + shift(random), shaken.Point(c, r).y + shift(random)};
    }
    for (PSPlimGrid* grid : {&undeformed, &shaken}) {
        const bool exact = grid == &undeformed;
        for (int r = 1; r + 2 < grid->PointsDown(); ++r) {
            for (int c = 1; c + 2 < grid->PointsAcross(); ++c) {
                const HuxPoint2D p = grid->Point(c, r), right = grid->Point(c + 1, r), below = grid->Point(c, r + 1);
                // On the cell's top edge, its left edge and its diagonal.
                for (const HuxPoint2D q : {HuxPoint2D{(p.x + right.x) / 2, (p.y + right.y) / 2},
                                           HuxPoint2D{(p.x + below.x) / 2, (p.y + below.y) / 2},
                                           HuxPoint2D{(right.x + below.x) / 2, (right.y + below.y) / 2}}) {
                    grid->SetLookupState(c, r, true);
                    const HuxPoint2D first = grid->InvertPoint(q);
                    for (int start = 0; start < 8; ++start) {
                        grid->SetLookupState(c - 1 + start % 3, r - 1 + start / 3 % 3, start % 2 == 0);
                        const HuxPoint2D again = grid->InvertPoint(q);
                        ASSERT_EQ(std::memcmp(&first, &again, sizeof first), 0) << "cell " << c << ", " << r;
                    }
                    if (exact) {
                        ASSERT_EQ(first, q);
                    }
                }
            }
        }
    }
}

// Other threads look up in copies that carry what the grid has worked out
// for its lookups, or work it out themselves where it had not: the same bits
// for every corner either way.
TEST(PSPlimGridInvertOrder, CopiesCarryingThePreparedLookupGiveTheSameResults)
{
    PSPlimGrid prepared = PushedOverItself();
    const PSPlimGrid unprepared = prepared;
    prepared.PrepareLookup();
    PSPlimGrid copies[] = {PSPlimGrid(prepared, PSPlimGrid::WithLookup{}),
                           PSPlimGrid(unprepared, PSPlimGrid::WithLookup{})};
    PSPlimGrid* const grids[] = {&prepared, &copies[0], &copies[1]};
    Corners corners;
    for (size_t g = 0; g < std::size(grids); ++g) {
        for (int j = 0; j <= kHeight; ++j) {
            for (int i = 0; i <= kWidth; ++i)
                ASSERT_TRUE(LookUp(*grids[g], i, j, corners)) << "grid " << g;
        }
    }
}
