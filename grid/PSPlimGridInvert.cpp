// The inverse lookup of the deformation grid: which undeformed position a
// position in the deformed grid came from. The renderer asks this for every
// pixel corner, so the search starts where the previous lookup ended.
//
// Cell (a, b) has the corners P(a, b), P(a+1, b), P(a, b+1), P(a+1, b+1) and
// is split along the diagonal P(a+1, b) - P(a, b+1) into an upper-left and a
// lower-right triangle.
#include "grid/PSPlimGrid.h"

#include <algorithm>
#include <cmath>

bool PSPlimGrid::TestTriangle(int a, int b, bool upperLeft, Point2D p, Point2D& result) const
{
    const Point2D* top = &points_[Index(a, b)];
    const Point2D* below = top + across_;
    const Point2D base = upperLeft ? top[0] : below[1];
    const Point2D corner1 = upperLeft ? top[1] : below[0];
    const Point2D corner2 = upperLeft ? below[0] : top[1];

    // Solve p - base = s*e1 + t*e2 by elimination with partial pivoting.
    double a11 = corner1.x - base.x, a12 = corner2.x - base.x, b1 = p.x - base.x;
    double a21 = corner1.y - base.y, a22 = corner2.y - base.y, b2 = p.y - base.y;
    if (std::fabs(a11) < std::fabs(a21)) {
        std::swap(a11, a21);
        std::swap(a12, a22);
        std::swap(b1, b2);
    }
    if (a11 == 0.0) // e1 has no length: no triangle
        return false;
    const double factor = a21 / a11;
    const double pivot = a22 - factor * a12;
    if (pivot == 0.0)
        return false;
    const double t = (b2 - factor * b1) / pivot;
    // t outside [0, 1] fails the bounds below whatever s is; leaving early
    // spares a division on the misses.
    if (!(t >= 0.0 && t <= 1.0))
        return false;
    const double s = (b1 - a12 * t) / a11;
    if (!(s >= 0.0 && s + t <= 1.0)) // NaN fails too
        return false;

    const double u = upperLeft ? (a - 1) + s : a - s;
    const double v = upperLeft ? (b - 1) + t : b - t;
    // Ring cells lie outside the image: send them clear of its left and top
    // sides, each axis on its own so the top ring keeps its x.
    result.x = a == 0 ? -1.0 : u * width_ / (across_ - 3);
    result.y = b == 0 ? -1.0 : v * height_ / (down_ - 3);
    return true;
}

bool PSPlimGrid::TestCell(int a, int b, Point2D p, Point2D& result)
{
    rememberedColumn_ = a;
    rememberedRow_ = b;
    if (TestTriangle(a, b, rememberedTriangle_, p, result))
        return true;
    ++failedTestCounter_;
    rememberedTriangle_ = !rememberedTriangle_;
    if (TestTriangle(a, b, rememberedTriangle_, p, result))
        return true;
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

PSPlimGrid::Point2D PSPlimGrid::InvertPoint(Point2D deformed)
{
    ++lookupCounter_;
    Point2D p = deformed;
    if (p.x < 0.0)
        p.x = 0.0;
    else if (p.x > width_)
        p.x = width_;
    if (p.y < 0.0)
        p.y = 0.0;
    else if (p.y > height_)
        p.y = height_;

    // Neighbouring queries nearly always hit the remembered cell.
    Point2D result;
    int a = rememberedColumn_, b = rememberedRow_;
    if (TestTriangle(a, b, rememberedTriangle_, p, result))
        return result;
    ++failedTestCounter_;
    if (TestTriangle(a, b, !rememberedTriangle_, p, result))
        return result;
    ++failedTestCounter_;

    // Then the next cell in row order, as a scan along a row moves on.
    if (a < across_ - 2) {
        ++a;
    } else {
        ++b;
        a = 0;
    }
    if (b < down_ - 2 && TestCell(a, b, p, result))
        return result;

    if (SearchAround(p, result))
        return result;
    rememberedColumn_ = 0;
    rememberedRow_ = 0;
    return {0.0, 0.0};
}
