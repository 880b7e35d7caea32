// Rows of lookups through each row kernel the processor runs, against the
// same points looked up one by one: equal results bit for bit, and the
// lookup state and counters the single lookups leave. The kernels
// themselves on one hand-made cell, where the arithmetic is exact.
#include "GridTestSupport.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

using gridtest::HuxPoint2D;
using gridtest::MakeGrid;
using gridtest::ReplayLine;
using gridtest::Shake;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct LookupState {
    int column, row;
    bool triangle;
    int lookups, failed;

    explicit LookupState(const PSPlimGrid& grid)
        : column(grid.RememberedColumn()), row(grid.RememberedRow()), triangle(grid.RememberedTriangle()),
          lookups(grid.LookupCounter()), failed(grid.FailedTestCounter())
    {
    }
    bool operator==(const LookupState&) const = default;
};

// The row looked up one by one and through the solver, from the same state.
std::string RowDifference(PSPlimGrid& grid, const std::vector<double>& xs, double y, GridRowSolver solver)
{
    const int column = grid.RememberedColumn(), row = grid.RememberedRow();
    const bool triangle = grid.RememberedTriangle();
    const HuxPoint2D unwritten{-7.0, -7.0};
    std::vector<HuxPoint2D> expected(xs.size() + 1, unwritten), actual(xs.size() + 1, unwritten);
    grid.ClearCounters();
    for (size_t k = 0; k < xs.size(); ++k)
        expected[k] = grid.InvertPoint({xs[k], y});
    const LookupState single(grid);
    grid.SetLookupState(column, row, triangle);
    grid.ClearCounters();
    grid.InvertRow(xs.data(), y, int32_t(xs.size()), actual.data(), solver);
    const LookupState rows(grid);

    std::ostringstream where;
    where.precision(17);
    where << xs.size() << " points at y " << y << " from cell (" << column << ", " << row << ", " << triangle << "): ";
    for (size_t k = 0; k < expected.size(); ++k) {
        if (std::memcmp(&expected[k], &actual[k], sizeof(HuxPoint2D)) != 0) {
            where << "point " << k << " at x " << (k < xs.size() ? xs[k] : 0.0) << ": expected (" << expected[k].x
                  << ", " << expected[k].y << ") got (" << actual[k].x << ", " << actual[k].y << ")";
            return where.str();
        }
    }
    if (!(single == rows)) {
        where << "state (" << single.column << ", " << single.row << ", " << single.triangle << ") counters "
              << single.lookups << "/" << single.failed << " expected, got (" << rows.column << ", " << rows.row
              << ", " << rows.triangle << ") " << rows.lookups << "/" << rows.failed;
        return where.str();
    }
    return "";
}

struct Row {
    double y;
    std::vector<double> xs;
};

// Rows of pixel corners as a render asks for them, rows through the grid's
// own points and edge midpoints, and rows with unusual numbers in them.
std::vector<Row> Rows(const PSPlimGrid& grid, std::mt19937& random)
{
    const double w = grid.Width(), h = grid.Height();
    std::vector<Row> rows;
    std::uniform_real_distribution<double> x0(-0.1 * w, 0.9 * w), y(-0.1 * h, 1.1 * h);
    std::uniform_int_distribution<int> count(0, 150), steps(20, 400);
    for (int k = 0; k < 40; ++k) {
        Row row{y(random), {}};
        const double start = x0(random), step = w / steps(random);
        row.xs.resize(size_t(count(random)));
        for (size_t i = 0; i < row.xs.size(); ++i)
            row.xs[i] = start + double(i) * step;
        rows.push_back(row);
    }
    for (int r = 0; r < grid.PointsDown(); r += 2) {
        Row points{grid.Point(r % grid.PointsAcross(), r).y, {}};
        for (int c = 0; c + 1 < grid.PointsAcross(); ++c) {
            points.xs.push_back(grid.Point(c, r).x);
            points.xs.push_back((grid.Point(c, r).x + grid.Point(c + 1, r).x) / 2);
        }
        rows.push_back(points);
    }
    const std::vector<double> unusual{kNaN, kInf, -kInf, -0.0, 0.0, w, std::nextafter(w, kInf), 1e-320, 1e300, -1e300};
    Row mixed = rows.front();
    for (size_t i = 0; i < mixed.xs.size(); i += 3)
        mixed.xs[i] = unusual[i % unusual.size()];
    rows.push_back(mixed);
    for (const double odd : {kNaN, kInf, -kInf, -0.0, 0.0, h, 1e300}) {
        Row row = rows[1];
        row.y = odd;
        rows.push_back(row);
    }
    return rows;
}

// Every grid the lookup must get right: regular, mildly shaken, folded,
// pushed over itself, degenerate and holding unusual numbers.
std::vector<PSPlimGrid> Grids(std::mt19937& random)
{
    std::vector<PSPlimGrid> grids{MakeGrid(0.8, 0.6, 5, 5), MakeGrid(0.8, 0.6, 26, 19)};
    for (int k = 0; k < 6; ++k) {
        PSPlimGrid grid = MakeGrid(0.7, 0.45, 9 + k, 14 - k, PSPlimForcedChoice<PSPlimEdgeMode>(k % 3));
        Shake(grid, random, k % 2 == 0 ? 0.2 : 2.0);
        grids.push_back(grid);
    }
    PSPlimGrid pushed = MakeGrid(0.8, 0.55, 52, 52, PSPlimEdgeMode::Fixed);
    pushed.Push({-0.27, 0.27}, {0.27, 0.27}, 0.25, 1.0);
    grids.push_back(pushed);
    PSPlimGrid degenerate = MakeGrid(1.0, 1.0, 9, 9);
    degenerate.At(3, 3) = degenerate.Point(4, 3);
    for (int c = 2; c <= 6; ++c)
        degenerate.At(c, 6) = degenerate.Point(c, 5);
    grids.push_back(degenerate);
    PSPlimGrid odd = MakeGrid(0.8, 0.6, 7, 9);
    Shake(odd, random, 0.3);
    odd.At(3, 3).x = kNaN;
    odd.At(4, 5) = {kInf, -kInf};
    odd.At(2, 6) = {0.5, 1e308};
    grids.push_back(odd);
    return grids;
}

} // namespace

TEST(PSPlimGridInvertRow, RowsMatchSingleLookupsThroughEveryKernel)
{
    const std::vector<GridRowSolver> solvers = GridRowSolvers::Available();
#if defined(__SSE2__)
    ASSERT_FALSE(solvers.empty());
#endif
    const unsigned seed = 4600;
    std::mt19937 random(seed);
    SCOPED_TRACE(ReplayLine(seed));
    std::vector<PSPlimGrid> grids = Grids(random);
    for (size_t g = 0; g < grids.size(); ++g) {
        PSPlimGrid& grid = grids[g];
        for (const Row& row : Rows(grid, random)) {
            for (size_t s = 0; s < solvers.size(); ++s) {
                // From a random cell, then on from where the row left it.
                grid.SetLookupState(int(random() % 60), int(random() % 60), random() % 2 == 0);
                for (int again = 0; again < 2; ++again)
                    ASSERT_EQ(RowDifference(grid, row.xs, row.y, solvers[s]), "") << "grid " << g << ", kernel " << s;
            }
        }
    }
}

// Cell (2, 3) of a grid 8 x 8 wide in cells of 2: its upper-left triangle
// has the base (1, 1), its lower-right one (3, 3), and on the row y = 1.5
// every s, t and result is exact. Each kernel settles points up to the
// first one off the remembered cell's two triangles or on their diagonal.
TEST(PSPlimGridInvertRow, KernelsStopAtTheFirstPointTheCellDoesNotSettle)
{
    const auto prepared = [](HuxPoint2D base, HuxPoint2D corner1, HuxPoint2D corner2) {
        const SolvedTriangle t = GridTriangles::Solve(base, corner1, corner2);
        return GridRowTriangle{t.baseX, t.baseY, t.a11, t.a12, t.factor, t.pivot, t.swapped, true};
    };
    GridRowCell cell{};
    cell.first = prepared({1, 1}, {3, 1}, {1, 3});
    cell.second = prepared({3, 3}, {1, 3}, {3, 1});
    cell.firstUpperLeft = true;
    cell.y = 1.5;
    cell.width = cell.height = 8.0;
    cell.cellsAcross = cell.cellsDown = 4.0;
    cell.left = 1.0;
    cell.right = 2.0;
    cell.top = 2.0;
    cell.bottom = 3.0;
    // x 1.5 and 2 lie in the first triangle, 2.75 in the second, 2.5 on the
    // diagonal, 0.5 in neither. The margin is 2^-20 of s, t and 1 - s - t:
    // 2^-19 in x.
    const double a = 2.5, b = 3.0, c = 3.75, y = 4.5;
    struct Case {
        std::vector<double> xs;
        GridRowRun run;
        std::vector<double> resultsX; // each with y
    };
    const std::vector<double> nine(9, 2.75);
    const Case cases[] = {
        {{1.5, 2.0, 2.75, 2.75, 1.5}, {5, 2, false}, {a, b, c, c, a}},
        {{1.5, 2.75, 2.5, 1.5, 1.5}, {2, 1, true}, {a, c}},
        {nine, {9, 9, true}, std::vector<double>(9, c)},
        {{0.5, 1.5}, {0, 0, false}, {}},
        // Within the margin of the diagonal and of the left edge.
        {{1.5, 2.5 - 0x1p-20}, {1, 0, false}, {a}},
        {{1.0 + 0x1p-20}, {0, 0, false}, {}},
        {{}, {0, 0, false}, {}},
    };
    for (const GridRowSolver solver : GridRowSolvers::Available()) {
        for (const Case& k : cases) {
            std::vector<double> out(2 * k.xs.size() + 1, -7.0), expected;
            const GridRowRun run = solver(cell, k.xs.data(), int32_t(k.xs.size()), out.data());
            EXPECT_EQ(run.solved, k.run.solved) << k.xs.size() << " points";
            EXPECT_EQ(run.secondHits, k.run.secondHits);
            EXPECT_EQ(run.lastInSecond, k.run.lastInSecond);
            EXPECT_EQ(out.back(), -7.0) << "written past the row";
            for (const double x : k.resultsX)
                expected.insert(expected.end(), {x, y});
            out.resize(expected.size());
            EXPECT_EQ(out, expected) << k.xs.size() << " points";
        }
        // Not yet known to be clean: nothing settles; the ring maps to -1.
        GridRowCell unclean = cell;
        unclean.first.clean = false;
        double out[2];
        EXPECT_EQ(solver(unclean, std::vector<double>{1.5}.data(), 1, out).solved, 0);
        GridRowCell ring = cell;
        ring.ringColumn = true;
        ASSERT_EQ(solver(ring, std::vector<double>{1.5}.data(), 1, out).solved, 1);
        EXPECT_EQ(out[0], -1.0);
        EXPECT_EQ(out[1], y);
    }
}
