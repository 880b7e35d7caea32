// A row of corners mapped at once against the same positions mapped one by
// one: equal results bit for bit, and the grid's lookup state and counters
// left exactly as the single calls leave them.
#include "grid/PSPlimGrid.h"
#include "warp/GridRender.h"
#include "warp/PSPlimGridMapping.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>
#include <vector>

using HuxGeometry::HuxPoint2D;

namespace {

// Where the next lookup starts, and the counters' growth since `since`.
struct LookupState {
    int column, row;
    bool triangle;
    int lookups, failed;

    LookupState(const PSPlimGrid& grid, int lookupsSince, int failedSince)
        : column(grid.RememberedColumn()), row(grid.RememberedRow()), triangle(grid.RememberedTriangle()),
          lookups(grid.LookupCounter() - lookupsSince), failed(grid.FailedTestCounter() - failedSince)
    {
    }
    bool operator==(const LookupState&) const = default;
};

// Maps the row both ways from the same lookup state, one by one through
// `single` and at once through `rows`; returns what differs.
std::string RowDifference(PSPlimGrid& grid, PSPlimGridMapping& single, PSPlimGridMapping& rows, double x0, double y,
                          int32_t count)
{
    const LookupState start(grid, 0, 0);
    std::vector<HuxPoint2D> expected(size_t(count) + 1), row(size_t(count) + 1, HuxPoint2D{-7.0, -7.0});
    for (int32_t k = 0; k < count; ++k)
        expected[size_t(k)] = single.MapPoint({x0 + k, y});
    expected[size_t(count)] = {-7.0, -7.0}; // nothing written past the row
    const LookupState afterSingle(grid, start.lookups, start.failed);

    grid.SetLookupState(start.column, start.row, start.triangle);
    const int lookupsBefore = grid.LookupCounter(), failedBefore = grid.FailedTestCounter();
    rows.MapCorners(x0, y, count, row.data());
    const LookupState afterRow(grid, lookupsBefore, failedBefore);

    std::ostringstream where;
    where.precision(17);
    where << "row at x0 " << x0 << ", y " << y << ", " << count << " corners: ";
    if (std::memcmp(expected.data(), row.data(), sizeof(HuxPoint2D) * expected.size()) != 0) {
        for (size_t k = 0; k < expected.size(); ++k) {
            if (std::memcmp(&expected[k], &row[k], sizeof(HuxPoint2D)) != 0) {
                where << "corner " << k << " expected (" << expected[k].x << ", " << expected[k].y << ") got ("
                      << row[k].x << ", " << row[k].y << ")";
                return where.str();
            }
        }
    }
    if (!(afterRow == afterSingle)) {
        where << "lookup state differs: cell (" << afterSingle.column << ", " << afterSingle.row << ") counters "
              << afterSingle.lookups << "/" << afterSingle.failed << " expected, got (" << afterRow.column << ", "
              << afterRow.row << ") " << afterRow.lookups << "/" << afterRow.failed;
        return where.str();
    }
    return "";
}

// The same grid and rectangle behind both ways of mapping.
struct MappingPair {
    PSPlimGrid& grid;
    PSPlimGridMapping single;
    PSPlimGridMapping rows;

    MappingPair(PSPlimGrid& g, const HuxRect& rect) : grid(g), single(g), rows(g)
    {
        single.SetRectangle(rect);
        rows.SetRectangle(rect);
    }
    std::string Difference(double x0, double y, int32_t count)
    {
        return RowDifference(grid, single, rows, x0, y, count);
    }
};

} // namespace

TEST(GridMappingRow, RowsInAndAroundTheRectangleMatchSingleCalls)
{
    const uint32_t seed = 6160;
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 301, 207, 17);
    WarpTest::DeformGrid(grid, seed, WarpTest::Strokes{});
    const HuxRect rect{-20, 13, 281, 220};
    MappingPair mapping(grid, rect);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> column(rect.left - 8, rect.right + 8), row(rect.top - 8, rect.bottom + 8);
    std::uniform_int_distribution<int> length(0, 140);
    for (int i = 0; i < 300; ++i) {
        // Corner rows that start or end outside the rectangle take the long
        // way for some of their corners; an odd start takes it for all.
        const double x0 = column(random) - 0.5 + (i % 10 == 9 ? 0.25 : 0.0);
        const double y = row(random) - 0.5 + (i % 7 == 6 ? 0.125 : 0.0);
        ASSERT_EQ(mapping.Difference(x0, y, length(random)), "")
            << "seed " << seed << ", replay: test_warp --gtest_filter=GridMappingRow.*";
    }
}

TEST(GridMappingRow, TheWholeWidthAndItsEdgesMatchSingleCalls)
{
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 90, 60, 9);
    WarpTest::DeformGrid(grid, 61, WarpTest::Strokes{});
    const HuxRect rect{5, 7, 95, 67};
    MappingPair mapping(grid, rect);
    // The R - L + 1 pixel corners of a row, the table's last entry (one
    // corner beyond them) and the first corners past the table.
    for (double y : {6.5, 7.5, 36.5, 66.5, 67.5}) {
        for (int32_t count : {91, 92, 93, 100})
            EXPECT_EQ(mapping.Difference(4.5, y, count), "");
        for (int32_t count : {1, 2, 3})
            EXPECT_EQ(mapping.Difference(94.5, y, count), "");
        EXPECT_EQ(mapping.Difference(95.5, y, 1), "");
        EXPECT_EQ(mapping.Difference(96.5, y, 1), "");
        EXPECT_EQ(mapping.Difference(50.5, y, 0), "");
    }
}

TEST(GridMappingRow, RowsFollowAGridResetAfterTheRectangleWasSet)
{
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 100, 80, 9);
    const HuxRect rect{0, 0, 100, 80};
    MappingPair mapping(grid, rect);
    grid.Reset(0.3, 0.9, 12, 7);
    grid.At(5, 3).x += 0.01;
    for (double y = -0.5; y < 81; y += 7.0)
        ASSERT_EQ(mapping.Difference(-0.5, y, 101), "");
}

// Rectangles too large for tables and empty ones map every corner the
// long way.
TEST(GridMappingRow, UntabledRectanglesMatchSingleCalls)
{
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 100, 80, 9);
    WarpTest::DeformGrid(grid, 62, WarpTest::Strokes{});
    MappingPair huge(grid, {0, 0, 3000000, 80});
    EXPECT_EQ(huge.Difference(1000.5, 40.5, 50), "");
    MappingPair empty(grid, {10, 10, 10, 80});
    EXPECT_EQ(empty.Difference(9.5, 40.5, 3), "");
}
