// The inverse lookup of the deformation grid beyond the remembered cell
// (PSPlimGridLookup.h): the search for a triangle that holds the position,
// through the coarse index of triangles by their boxes that GridOverlaps
// keeps for each state of the points.
#include "grid/PSPlimGrid.h"

#include <algorithm>
#include <cmath>

bool PSPlimGrid::TestCell(int a, int b, Point2D p, Point2D& result)
{
    rememberedColumn_ = a;
    rememberedRow_ = b;
    TriangleHit hit = TestTriangle(a, b, rememberedTriangle_, p, result);
    if (hit != TriangleHit::Miss)
        return Settle(hit, a, b, rememberedTriangle_, p, result);
    ++failedTestCounter_;
    rememberedTriangle_ = !rememberedTriangle_;
    hit = TestTriangle(a, b, rememberedTriangle_, p, result);
    if (hit != TriangleHit::Miss)
        return Settle(hit, a, b, rememberedTriangle_, p, result);
    ++failedTestCounter_;
    return false;
}

namespace {

// How far outside a triangle, in its own coordinates, a point may lie and
// still count as fallen between triangles by rounding: such a point lies
// within a quarter of the widening of the triangle's box, so the overlaps'
// index lists the triangle over it.
constexpr double kRounding = GridOverlaps::kWiden / 4;

// The cell (1 .. cells) whose undeformed area holds coordinate `value`, a
// point of 0 .. extent (NaN counts as 0).
int RegularCell(double value, double extent, int cells)
{
    const double position = cells * value / extent;
    if (!(position > 0.0))
        return 1;
    return position < cells ? static_cast<int>(position) + 1 : cells;
}

} // namespace

bool PSPlimGrid::TestIndexed(int32_t index, Point2D p, Point2D& result)
{
    const auto [a, b, upperLeft] = IndexedTriangle(index);
    const TriangleHit hit = TestTriangle(a, b, upperLeft, p, result);
    if (hit == TriangleHit::Miss) {
        ++failedTestCounter_;
        return false;
    }
    SetLookupState(a, b, upperLeft);
    return Settle(hit, a, b, upperLeft, p, result);
}

bool PSPlimGrid::Search(Point2D p, Point2D& result)
{
    const int a0 = RegularCell(p.x, width_, across_ - 3), b0 = RegularCell(p.y, height_, down_ - 3);
    if (TestCell(a0, b0, p, result))
        return true;
    // Every other triangle that could hold p, whatever the path from the
    // remembered cell: however far a push carried the material, the search
    // costs what the triangles over p's part of the image number.
    GridOverlaps& overlaps = CurrentOverlaps();
    for (const int32_t index : overlaps.Candidates(points_, p.x, p.y)) {
        const CellTriangle triangle = IndexedTriangle(index);
        if ((triangle.column != a0 || triangle.row != b0) && TestIndexed(index, p, result))
            return true;
    }
    for (const int32_t index : overlaps.Unbounded()) {
        if (TestIndexed(index, p, result))
            return true;
    }
    return NearestWithinRounding(overlaps, p, result);
}

bool PSPlimGrid::NearestWithinRounding(GridOverlaps& overlaps, Point2D p, Point2D& result)
{
    double nearest = kRounding;
    int32_t nearestIndex = -1;
    double nearestS = 0.0, nearestT = 0.0;
    const auto consider = [&](int32_t index) {
        const auto [a, b, upperLeft] = IndexedTriangle(index);
        const SolvedTriangle& triangle = triangles_.Get(points_, across_, down_, a, b, upperLeft);
        double b1, b2;
        triangle.Offsets(p.x, p.y, b1, b2);
        const double t = triangle.SolveT(b1, b2), s = triangle.SolveS(b1, t);
        if (std::isnan(s) || std::isnan(t))
            return;
        const double outside = std::max({-s, -t, s + t - 1.0});
        if (outside < nearest || (outside == nearest && (nearestIndex < 0 || index < nearestIndex))) {
            nearest = outside;
            nearestIndex = index;
            nearestS = s;
            nearestT = t;
        }
    };
    for (const int32_t index : overlaps.Candidates(points_, p.x, p.y))
        consider(index);
    for (const int32_t index : overlaps.Unbounded())
        consider(index);
    if (nearestIndex < 0)
        return false;
    const auto [a, b, upperLeft] = IndexedTriangle(nearestIndex);
    SetLookupState(a, b, upperLeft);
    found_ = {a, b, upperLeft};
    result = UndeformedPosition(a, b, upperLeft, nearestS, nearestT);
    return true;
}

bool PSPlimGrid::LookupBeyondCell(Point2D p, Point2D& result)
{
    // Then the next cell in row order, as a scan along a row moves on. Only
    // the wrap to a new row stops short of the bottom row of cells; a step
    // along that row is taken like any other.
    int a = rememberedColumn_, b = rememberedRow_;
    bool stepped = true;
    if (a < across_ - 2) {
        ++a;
    } else {
        ++b;
        a = 0;
        stepped = b < down_ - 2;
    }
    if ((stepped && TestCell(a, b, p, result)) || Search(p, result))
        return true;
    rememberedColumn_ = 0;
    rememberedRow_ = 0;
    result = {0.0, 0.0};
    return false;
}
