// The inverse lookup against its arithmetic written out plainly: every
// triangle of the grid solved from its points and tested, and of those that
// hold the point the one on top gives the result (the inner cells over the
// ring, then the greatest distance travelled, then the first in row order);
// when none does, the one it lies least outside of, within rounding.
// Results must agree bit for bit (a -0.0 included), whatever cell the
// lookup starts from.
#include "GridTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <utility>

using gridtest::HuxPoint2D;
using gridtest::MakeGrid;
using gridtest::ReplayLine;
using gridtest::Shake;

namespace {

class PlainLookup {
public:
    explicit PlainLookup(const PSPlimGrid& grid) : grid_(grid) {}

    HuxPoint2D Invert(HuxPoint2D p) const
    {
        const double w = grid_.Width(), h = grid_.Height();
        p.x = p.x < 0.0 ? 0.0 : (p.x > w ? w : p.x);
        p.y = p.y < 0.0 ? 0.0 : (p.y > h ? h : p.y);
        HuxPoint2D best{0.0, 0.0}, nearest{0.0, 0.0};
        bool found = false, near = false;
        int bestLayer = 0;
        double bestHeight = 0.0;
        double nearestOutside = GridOverlaps::kWiden / 4; // within rounding, when none holds p
        for (int b = 0; b + 1 < grid_.PointsDown(); ++b) {
            for (int a = 0; a + 1 < grid_.PointsAcross(); ++a) {
                for (bool upperLeft : {false, true}) {
                    HuxPoint2D q;
                    const double outside = Outside(a, b, upperLeft, p, q);
                    if (outside < nearestOutside || (outside == nearestOutside && !near)) {
                        near = true;
                        nearestOutside = outside;
                        nearest = q;
                    }
                    if (!(outside <= 0.0))
                        continue;
                    const bool ring = a == 0 || b == 0 || a == grid_.PointsAcross() - 2 || b == grid_.PointsDown() - 2;
                    const int layer = ring ? 0 : 1;
                    double height = (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y);
                    if (std::isnan(height))
                        height = -std::numeric_limits<double>::infinity();
                    if (!found || layer > bestLayer || (layer == bestLayer && height > bestHeight)) {
                        found = true;
                        best = q;
                        bestLayer = layer;
                        bestHeight = height;
                    }
                }
            }
        }
        return found ? best : nearest;
    }

private:
    // How far p lies outside the triangle in its coordinates (NaN: no
    // solution), its position from them in result.
    double Outside(int a, int b, bool upperLeft, HuxPoint2D p, HuxPoint2D& result) const
    {
        const HuxPoint2D base = upperLeft ? grid_.Point(a, b) : grid_.Point(a + 1, b + 1);
        const HuxPoint2D c1 = upperLeft ? grid_.Point(a + 1, b) : grid_.Point(a, b + 1);
        const HuxPoint2D c2 = upperLeft ? grid_.Point(a, b + 1) : grid_.Point(a + 1, b);
        double a11 = c1.x - base.x, a12 = c2.x - base.x, b1 = p.x - base.x;
        double a21 = c1.y - base.y, a22 = c2.y - base.y, b2 = p.y - base.y;
        if (std::fabs(a11) < std::fabs(a21)) {
            std::swap(a11, a21);
            std::swap(a12, a22);
            std::swap(b1, b2);
        }
        const double nan = std::numeric_limits<double>::quiet_NaN();
        if (a11 == 0.0)
            return nan;
        const double factor = a21 / a11;
        const double pivot = a22 - factor * a12;
        if (pivot == 0.0)
            return nan;
        const double t = (b2 - factor * b1) / pivot;
        const double s = (b1 - a12 * t) / a11;
        if (std::isnan(s) || std::isnan(t))
            return nan;
        const double u = upperLeft ? (a - 1) + s : a - s;
        const double v = upperLeft ? (b - 1) + t : b - t;
        result.x = a == 0 ? -1.0 : u * grid_.Width() / (grid_.PointsAcross() - 3);
        result.y = b == 0 ? -1.0 : v * grid_.Height() / (grid_.PointsDown() - 3);
        return std::max({-s, -t, s + t - 1.0});
    }

    const PSPlimGrid& grid_;
};

std::string Describe(HuxPoint2D p)
{
    std::ostringstream text;
    text.precision(17);
    text << "(" << p.x << ", " << p.y << ")";
    return text.str();
}

// Runs the queries through the grid and the plain lookup side by side, the
// grid's search starting from wherever the previous query left it, then
// again in shuffled order from random cells.
template <class Queries>
testing::AssertionResult SameAsPlain(PSPlimGrid& grid, const Queries& queries)
{
    const PlainLookup plain(grid);
    std::vector<HuxPoint2D> expected;
    for (const HuxPoint2D& q : queries)
        expected.push_back(plain.Invert(q));
    std::vector<size_t> order(expected.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::mt19937 random(unsigned(order.size()));
    for (int pass = 0; pass < 2; ++pass) {
        for (const size_t k : order) {
            if (pass == 1)
                grid.SetLookupState(int(random() % 200), int(random() % 200), random() % 2 == 0);
            const HuxPoint2D actual = grid.InvertPoint(queries[k]);
            if (std::memcmp(&expected[k], &actual, sizeof actual) != 0)
                return testing::AssertionFailure() << "query " << k << " at " << Describe(queries[k]) << ": expected "
                                                   << Describe(expected[k]) << ", got " << Describe(actual)
                                                   << (pass == 1 ? " (shuffled)" : "");
        }
        std::shuffle(order.begin(), order.end(), random);
    }
    return testing::AssertionSuccess();
}

// Pixel corners of a few tiles in render order, plus the grid's own points,
// the midpoints of its edges and scattered positions around the rectangle.
std::vector<HuxPoint2D> MixedQueries(const PSPlimGrid& grid, std::mt19937& random)
{
    std::vector<HuxPoint2D> queries;
    const double w = grid.Width(), h = grid.Height();
    for (int tile = 0; tile < 3; ++tile) {
        const double x0 = std::uniform_real_distribution<double>(-0.1, 0.8)(random) * w;
        const double y0 = std::uniform_real_distribution<double>(-0.1, 0.8)(random) * h;
        for (int j = 0; j <= 20; ++j)
            for (int i = 0; i <= 20; ++i)
                queries.push_back({x0 + i * w / 79, y0 + j * h / 67});
    }
    for (int r = 0; r + 1 < grid.PointsDown(); ++r) {
        for (int c = 0; c + 1 < grid.PointsAcross(); ++c) {
            const HuxPoint2D& p = grid.Point(c, r);
            const HuxPoint2D& right = grid.Point(c + 1, r);
            const HuxPoint2D& below = grid.Point(c, r + 1);
            queries.push_back(p);
            queries.push_back({(p.x + right.x) / 2, (p.y + right.y) / 2});
            queries.push_back({(right.x + below.x) / 2, (right.y + below.y) / 2});
        }
    }
    std::uniform_real_distribution<double> x(-0.2 * w, 1.2 * w), y(-0.2 * h, 1.2 * h);
    for (int k = 0; k < 600; ++k)
        queries.push_back({x(random), y(random)});
    std::shuffle(queries.end() - 600, queries.end(), random);
    return queries;
}

} // namespace

TEST(PSPlimGridInvertPlain, RegularGridsAgreeBitForBit)
{
    const unsigned seed = 4100;
    std::mt19937 random(seed);
    SCOPED_TRACE(ReplayLine(seed));
    for (int across : {5, 7, 12, 26}) {
        PSPlimGrid grid = MakeGrid(0.8, 0.6, across, across - 1);
        EXPECT_TRUE(SameAsPlain(grid, MixedQueries(grid, random))) << across << " points across";
    }
}

TEST(PSPlimGridInvertPlain, MildAndFoldedGridsAgreeBitForBit)
{
    for (unsigned seed = 4200; seed < 4230; ++seed) {
        std::mt19937 random(seed);
        SCOPED_TRACE(ReplayLine(seed));
        const int across = std::uniform_int_distribution<int>(5, 20)(random);
        const int down = std::uniform_int_distribution<int>(5, 20)(random);
        PSPlimGrid grid = MakeGrid(0.7, 0.45, across, down, PSPlimForcedChoice<PSPlimEdgeMode>(int32_t(seed % 3)));
        // A fifth of a cell keeps the mesh unfolded, two cells fold it often.
        Shake(grid, random, seed % 2 == 0 ? 0.2 : 2.0);
        ASSERT_TRUE(SameAsPlain(grid, MixedQueries(grid, random)));
    }
}

// Points on top of each other and in lines give zero lengths and zero
// pivots; the search must pass over them exactly as written.
TEST(PSPlimGridInvertPlain, DegenerateTrianglesAgreeBitForBit)
{
    const unsigned seed = 4300;
    std::mt19937 random(seed);
    SCOPED_TRACE(ReplayLine(seed));
    PSPlimGrid grid = MakeGrid(1.0, 1.0, 9, 9);
    grid.At(3, 3) = grid.Point(4, 3);             // a zero-length edge
    grid.At(5, 5) = grid.Point(4, 4);             // another, on a diagonal
    grid.At(6, 2) = {grid.Point(5, 2).x, 0.3125}; // collinear with its column
    for (int c = 2; c <= 6; ++c)                  // a row pressed onto the one above
        grid.At(c, 6) = grid.Point(c, 5);
    ASSERT_TRUE(SameAsPlain(grid, MixedQueries(grid, random)));
}

// A quotient too small for a double rounds to a zero with the sign of the
// values: a query a hair outside a vast triangle can still count as on its
// edge, and a lookup must decide that by the same division.
TEST(PSPlimGridInvertPlain, QuotientsThatUnderflowAgreeBitForBit)
{
    PSPlimGrid grid = MakeGrid(1.0, 1.0, 5, 5);
    grid.At(2, 3) = {0.5, 1e308};
    grid.At(1, 3) = {-1e308, 0.5};
    const HuxPoint2D below{grid.Point(2, 2).x + 0.125, std::nextafter(grid.Point(2, 2).y, 0.0)};
    const HuxPoint2D left{std::nextafter(grid.Point(2, 2).x, 0.0), grid.Point(2, 2).y + 0.125};
    const std::vector<HuxPoint2D> queries{below, left, {0.5, 0.5}, {0.25, 0.75}, below};
    for (bool triangle : {false, true}) {
        for (int start = 0; start < 16; ++start) {
            grid.SetLookupState(start % 4, start / 4, triangle);
            EXPECT_TRUE(SameAsPlain(grid, queries)) << "from cell " << start % 4 << ", " << start / 4;
        }
    }
}

TEST(PSPlimGridInvertPlain, UnusualNumbersAgreeBitForBit)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    PSPlimGrid grid = MakeGrid(0.8, 0.6, 7, 9);
    std::mt19937 random(4400);
    Shake(grid, random, 0.3);
    const std::vector<HuxPoint2D> queries{{nan, 0.3}, {0.3, nan}, {inf, 0.2}, {-inf, -inf}, {0.4, 0.3},
                                          {-0.0, -0.0}, {0.8, 0.6}, {1e-320, 0.6}, {0.4, 1e300}};
    EXPECT_TRUE(SameAsPlain(grid, queries));
    grid.At(3, 3).x = nan;
    EXPECT_TRUE(SameAsPlain(grid, queries));
    grid.At(4, 4) = {inf, -inf};
    EXPECT_TRUE(SameAsPlain(grid, queries));
}

// Every way of changing the points must reach the lookup at once. Sizes stay
// the same where they can, so that nothing but the change itself can tell
// the lookup that the points moved.
TEST(PSPlimGridInvertPlain, LookupsFollowEveryChangeOfThePoints)
{
    const unsigned seed = 4500;
    std::mt19937 random(seed);
    SCOPED_TRACE(ReplayLine(seed));
    const auto shaken = [&random] {
        PSPlimGrid other = MakeGrid(0.8, 0.6, 12, 10);
        Shake(other, random, 0.3);
        return other;
    };
    PSPlimGrid grid = MakeGrid(0.8, 0.6, 12, 10);
    const std::vector<HuxPoint2D> queries = MixedQueries(grid, random);
    ASSERT_TRUE(SameAsPlain(grid, queries));
    grid.Reset(0.7, 0.5, 12, 10);
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after Reset";

    grid.At(4, 4).x += 0.03;
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after At";
    grid.Push({0.3, 0.3}, {0.33, 0.31}, 0.1, 0.5);
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after a tool";
    grid.SetEdgeMode(PSPlimEdgeMode::Locked);
    grid.ApplyEdgeMode();
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after the edge mode";

    grid.CopyFrom(shaken());
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after CopyFrom";

    GridPatch patch;
    const PSPlimGrid before = grid;
    grid.Push({0.5, 0.2}, {0.52, 0.25}, 0.15, 0.8);
    ASSERT_TRUE(grid.Diff(before, patch));
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after the stroke";
    grid.SwapPatch(patch);
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after undo";

    GridState state;
    shaken().SaveState(state);
    grid.SwapState(state);
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after SwapState";
    grid.Resize(0.8, 0.6, 15, 11);
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "after Resize";

    PSPlimGrid copy = grid;
    ASSERT_TRUE(SameAsPlain(copy, queries)) << "a copy";
    copy = shaken();
    ASSERT_TRUE(SameAsPlain(copy, queries)) << "after assignment";
    PSPlimGrid moved = std::move(copy);
    ASSERT_TRUE(SameAsPlain(moved, queries)) << "after a move";
    ASSERT_TRUE(SameAsPlain(grid, queries)) << "the original of the copy";
}

// Started from every cell of the two bottom rows of a grid folded over the
// bottom ring, where the step to the next cell decides between two
// triangles that hold the point.
TEST(PSPlimGridInvertPlain, FoldOverTheBottomRingAgreesBitForBit)
{
    PSPlimGrid grid = gridtest::UnitCellGrid();
    grid.At(3, 5) = {2.0, 4.5};
    grid.At(4, 5) = {3.0, 3.6};
    const std::vector<HuxPoint2D> queries{{2.2, 3.95}, {2.5, 3.9}, {2.9, 3.7}, {1.5, 4.0}};
    for (int row = 4; row <= 5; ++row) {
        for (int column = 0; column <= 5; ++column) {
            for (bool upperLeft : {false, true}) {
                grid.SetLookupState(column, row, upperLeft);
                EXPECT_TRUE(SameAsPlain(grid, queries)) << "from cell (" << column << ", " << row << ")";
            }
        }
    }
}
