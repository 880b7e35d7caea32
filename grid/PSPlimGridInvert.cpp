// The inverse lookup of the deformation grid beyond the remembered cell
// (PSPlimGridLookup.h): the search for the cell that holds the position.
#include "grid/PSPlimGrid.h"

#include <algorithm>

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

// Cell index of coordinate `value` in the undeformed grid, kept in 0 .. last
// before it is truncated (NaN counts as 0).
int EstimateCell(double value, double extent, int cells, int last)
{
    const double estimate = cells * value / extent;
    if (!(estimate > 0.0))
        return 0;
    return estimate < last ? static_cast<int>(estimate) : last;
}

} // namespace

bool PSPlimGrid::SearchAround(Point2D p, Point2D& result)
{
    const int lastColumn = across_ - 2;
    const int lastRow = down_ - 2;
    const int c0 = EstimateCell(p.x, width_, across_ - 3, lastColumn);
    const int r0 = EstimateCell(p.y, height_, down_ - 3, lastRow);
    if (TestCell(c0, r0, p, result))
        return true;

    // Square rings around the estimate, each cell once, until a ring lies
    // wholly outside the grid.
    for (int k = 1;; ++k) {
        const int left = c0 - k, top = r0 - k, right = c0 + k, bottom = r0 + k;
        if (top < 0 && left < 0 && bottom > lastRow && right > lastColumn)
            return false;
        int firstColumn = std::max(left, 0), firstRow = std::max(top, 0);
        const int endColumn = std::min(right, lastColumn);
        int endRow = std::min(bottom, lastRow);
        if (top >= 0) {
            for (int c = firstColumn; c <= endColumn; ++c) {
                if (TestCell(c, top, p, result))
                    return true;
            }
            ++firstRow;
        }
        if (left >= 0) {
            for (int r = firstRow; r <= endRow; ++r) {
                if (TestCell(left, r, p, result))
                    return true;
            }
            ++firstColumn;
        }
        if (bottom <= lastRow) {
            for (int c = firstColumn; c <= endColumn; ++c) {
                if (TestCell(c, bottom, p, result))
                    return true;
            }
            --endRow;
        }
        if (right <= lastColumn) {
            for (int r = firstRow; r <= endRow; ++r) {
                if (TestCell(right, r, p, result))
                    return true;
            }
        }
    }
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
    if ((stepped && TestCell(a, b, p, result)) || SearchAround(p, result))
        return true;
    rememberedColumn_ = 0;
    rememberedRow_ = 0;
    result = {0.0, 0.0};
    return false;
}
