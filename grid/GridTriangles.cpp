#include "grid/GridTriangles.h"

#include <cmath>
#include <limits>
#include <utility>

const SolvedTriangle& GridTriangles::Renew(const GridPoints& points, int across, int down, int a, int b,
                                           bool upperLeft, size_t index)
{
    // A table sized for another grid has nothing current for this one.
    const size_t needed = 2 * size_t(across - 1) * size_t(down - 1);
    if (solved_.size() != needed) {
        std::vector<SolvedTriangle> fresh(needed);
        solved_.swap(fresh);
    }
    SolvedTriangle& triangle = solved_[index];
    Prepare(triangle, points, across, a, b, upperLeft);
    return triangle;
}

void GridTriangles::Prepare(SolvedTriangle& triangle, const GridPoints& points, int across, int a, int b,
                            bool upperLeft)
{
    const GridPoints::Point2D* top = points.data() + size_t(b) * size_t(across) + size_t(a);
    const GridPoints::Point2D* below = top + across;
    triangle = upperLeft ? Solve(top[0], top[1], below[0]) : Solve(below[1], below[0], top[1]);
    triangle.generation = points.Generation();
}

SolvedTriangle GridTriangles::Solve(GridPoints::Point2D base, GridPoints::Point2D corner1,
                                    GridPoints::Point2D corner2)
{
    SolvedTriangle triangle;
    double a11 = corner1.x - base.x, a12 = corner2.x - base.x;
    double a21 = corner1.y - base.y, a22 = corner2.y - base.y;
    triangle.swapped = std::fabs(a11) < std::fabs(a21);
    if (triangle.swapped) {
        std::swap(a11, a21);
        std::swap(a12, a22);
    }
    triangle.baseX = base.x;
    triangle.baseY = base.y;
    triangle.a11 = a11;
    triangle.a12 = a12;
    // e1 without length, or a zero pivot: no point lies in the triangle. A
    // NaN pivot makes t NaN, which fails the bounds as that verdict must.
    constexpr double kNoSolution = std::numeric_limits<double>::quiet_NaN();
    triangle.factor = a11 == 0.0 ? 0.0 : a21 / a11;
    const double pivot = a22 - triangle.factor * a12;
    triangle.pivot = a11 == 0.0 || pivot == 0.0 ? kNoSolution : pivot;
    return triangle;
}
