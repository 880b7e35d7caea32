// Helpers shared by the grid tests.
#pragma once

#include "grid/PSPlimGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

namespace gridtest {

using HuxGeometry::HuxPoint2D;

// A regular grid of across x down points over width x height.
inline PSPlimGrid MakeGrid(double width, double height, int across, int down, PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Free)
{
    PSPlimGrid grid;
    grid.Reset(width, height, across, down);
    grid.SetEdgeMode(edgeMode);
    return grid;
}

// 4 x 4 units in cells of one unit (7 x 7 points): every regular coordinate
// and most results are exact binary fractions.
inline PSPlimGrid UnitCellGrid(PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Free)
{
    return MakeGrid(4.0, 4.0, 7, 7, edgeMode);
}

// Moves every inner point by up to `cells` cells each way, then applies the
// edge mode: a fifth of a cell keeps the mesh unfolded, two cells fold it
// often.
inline void Shake(PSPlimGrid& grid, std::mt19937& random, double cells)
{
    const double cellW = grid.Width() / (grid.PointsAcross() - 3), cellH = grid.Height() / (grid.PointsDown() - 3);
    std::uniform_real_distribution<double> shift(-cells, cells);
    for (int r = 1; r <= grid.PointsDown() - 2; ++r) {
        for (int c = 1; c <= grid.PointsAcross() - 2; ++c) {
            grid.At(c, r).x += shift(random) * cellW;
            grid.At(c, r).y += shift(random) * cellH;
        }
    }
    grid.ApplyEdgeMode();
}

// Compares all points of two grids of the same size; reports how many
// differ, the largest difference and the first place.
inline testing::AssertionResult SamePoints(const PSPlimGrid& expected, const PSPlimGrid& actual, double tolerance = 0.0)
{
    if (expected.PointsAcross() != actual.PointsAcross() || expected.PointsDown() != actual.PointsDown())
        return testing::AssertionFailure() << "sizes differ";
    int differing = 0;
    double largest = 0.0;
    std::string first;
    for (int r = 0; r < expected.PointsDown(); ++r) {
        for (int c = 0; c < expected.PointsAcross(); ++c) {
            const HuxPoint2D& e = expected.Point(c, r);
            const HuxPoint2D& a = actual.Point(c, r);
            const double difference = std::max(std::fabs(e.x - a.x), std::fabs(e.y - a.y));
            if (difference <= tolerance)
                continue;
            if (differing++ == 0) {
                std::ostringstream where;
                where << "(" << c << ", " << r << "): expected (" << e.x << ", " << e.y << ") got (" << a.x << ", "
                      << a.y << ")";
                first = where.str();
            }
            largest = std::max(largest, difference);
        }
    }
    if (differing == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " points differ, largest by " << largest << ", first at "
                                       << first;
}

// Bit-for-bit equality of the point arrays (tells -0.0 from 0.0).
inline bool SameBits(const PSPlimGrid& a, const PSPlimGrid& b)
{
    if (a.PointsAcross() != b.PointsAcross() || a.PointsDown() != b.PointsDown())
        return false;
    return std::memcmp(&a.Point(0, 0), &b.Point(0, 0),
                       sizeof(HuxPoint2D) * a.PointsAcross() * a.PointsDown()) == 0;
}

// Where the deformed mesh carries the undeformed position q (inside the
// inner area): the same triangles the inverse lookup searches.
inline HuxPoint2D ForwardMap(const PSPlimGrid& grid, HuxPoint2D q)
{
    const int cellsAcross = grid.PointsAcross() - 3, cellsDown = grid.PointsDown() - 3;
    const double u = q.x * cellsAcross / grid.Width(), v = q.y * cellsDown / grid.Height();
    const int i = std::min(static_cast<int>(u), cellsAcross - 1), j = std::min(static_cast<int>(v), cellsDown - 1);
    const int a = i + 1, b = j + 1; // cell of inner points (a, b) .. (a+1, b+1)
    double s = u - i, t = v - j;
    HuxPoint2D base = grid.Point(a, b), p1 = grid.Point(a + 1, b), p2 = grid.Point(a, b + 1);
    if (s + t > 1.0) {
        base = grid.Point(a + 1, b + 1);
        p1 = grid.Point(a, b + 1);
        p2 = grid.Point(a + 1, b);
        s = 1.0 - s;
        t = 1.0 - t;
    }
    return {base.x + s * (p1.x - base.x) + t * (p2.x - base.x), base.y + s * (p1.y - base.y) + t * (p2.y - base.y)};
}

// The line that replays a seeded randomised case.
inline std::string ReplayLine(unsigned seed)
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    return "replay: test_grid --gtest_filter=" + std::string(info->test_suite_name()) + "." + info->name() +
           " (seed " + std::to_string(seed) + ")";
}

} // namespace gridtest
