// Which cell of the deformed mesh Stabilise takes its angle from when the
// lookup finds none for the anchor. The remembered cell is then merely where
// the search gave up; the lookup clamps its query onto the image, so an
// anchor beyond an edge that was moved freely may still lie in a triangle of
// its own, and otherwise the nearest triangle is the best guess.
#include "grid/PSPlimGrid.h"

#include <algorithm>
#include <limits>

namespace {

using HuxGeometry::HuxPoint2D;

double Dot(HuxPoint2D a, HuxPoint2D b)
{
    return a.x * b.x + a.y * b.y;
}

HuxPoint2D Minus(HuxPoint2D a, HuxPoint2D b)
{
    return {a.x - b.x, a.y - b.y};
}

double SquaredDistanceToSegment(HuxPoint2D p, HuxPoint2D a, HuxPoint2D b)
{
    const HuxPoint2D ab = Minus(b, a);
    const double length = Dot(ab, ab);
    const double t = length > 0.0 ? std::clamp(Dot(Minus(p, a), ab) / length, 0.0, 1.0) : 0.0;
    const HuxPoint2D d = Minus(p, {a.x + t * ab.x, a.y + t * ab.y});
    return Dot(d, d);
}

// Squared distance from p to the edges of triangle abc; infinite when the
// triangle has no area, since its edges turn no way at all.
double SquaredDistanceToTriangle(HuxPoint2D p, HuxPoint2D a, HuxPoint2D b, HuxPoint2D c)
{
    const HuxPoint2D e1 = Minus(b, a), e2 = Minus(c, a);
    if (e1.x * e2.y - e1.y * e2.x == 0.0)
        return std::numeric_limits<double>::infinity();
    return std::min({SquaredDistanceToSegment(p, a, b), SquaredDistanceToSegment(p, b, c),
                     SquaredDistanceToSegment(p, c, a)});
}

} // namespace

PSPlimGrid::CellTriangle PSPlimGrid::NearestTriangle(Point2D anchor)
{
    // Every triangle in row order, upper-left first: the first that holds
    // the anchor, or else the nearest (the first of equals).
    CellTriangle nearest{rememberedColumn_, rememberedRow_, rememberedTriangle_};
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (int b = 0; b <= down_ - 2; ++b) {
        for (int a = 0; a <= across_ - 2; ++a) {
            for (const bool upperLeft : {true, false}) {
                Point2D unused;
                if (TestTriangle(a, b, upperLeft, anchor, unused) != TriangleHit::Miss)
                    return {a, b, upperLeft};
                const Point2D& base = upperLeft ? Point(a, b) : Point(a + 1, b + 1);
                const Point2D& first = upperLeft ? Point(a + 1, b) : Point(a, b + 1);
                const Point2D& second = upperLeft ? Point(a, b + 1) : Point(a + 1, b);
                const double distance = SquaredDistanceToTriangle(anchor, base, first, second);
                if (distance < nearestDistance) {
                    nearestDistance = distance;
                    nearest = {a, b, upperLeft};
                }
            }
        }
    }
    return nearest;
}
