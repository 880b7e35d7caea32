// The brush tools of the deformation grid. Every tool visits the inner points
// inside a circle around the midpoint of the cursor's last move and moves each
// by an amount that falls linearly from the full reach at the centre to zero
// on the rim; the ring is never touched.
#include "grid/PSPlimGrid.h"

#include "HuxLib/HuxGeometry/HuxTransform2D.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

using HuxGeometry::HuxPoint2D;
using HuxGeometry::HuxTransform2D;

namespace {

// Positions a tool takes, in grid units (the image diagonal is 1), are kept
// within this distance of the origin on each axis: far beyond anywhere a
// cursor can be, near enough that their differences, squares and the moves
// they cause stay finite, so every point of the grid stays finite too.
constexpr double kToolPositionLimit = 1.0e6;

// Brings each position into the tools' range; false if one is not a number,
// which no application can follow.
bool ToolPositions(std::initializer_list<HuxPoint2D*> positions)
{
    for (HuxPoint2D* p : positions) {
        if (std::isnan(p->x) || std::isnan(p->y))
            return false;
        p->x = std::clamp(p->x, -kToolPositionLimit, kToolPositionLimit);
        p->y = std::clamp(p->y, -kToolPositionLimit, kToolPositionLimit);
    }
    return true;
}

double Length(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

// Visits the inner points within radius of the stroke segment's midpoint and
// calls move(point, column, row, amount) for each; then enforces the edge mode.
template <class Move>
GridIndexRect VisitBrush(PSPlimGrid& grid, HuxPoint2D from, HuxPoint2D to, double radius, double reach,
                         Move move)
{
    const HuxPoint2D centre{(from.x + to.x) * 0.5, (from.y + to.y) * 0.5};
    const double radiusSquared = radius * radius;
    GridIndexRect affected;
    for (int r = 1; r <= grid.PointsDown() - 2; ++r) {
        for (int c = 1; c <= grid.PointsAcross() - 2; ++c) {
            HuxPoint2D& p = grid.At(c, r);
            const double dx = p.x - centre.x, dy = p.y - centre.y;
            const double distanceSquared = dx * dx + dy * dy;
            if (!(distanceSquared <= radiusSquared))
                continue;
            move(p, c, r, (1.0 - std::sqrt(distanceSquared) / radius) * reach);
            affected.Extend(c, r);
        }
    }
    grid.ApplyEdgeMode();
    return affected;
}

HuxPoint2D Difference(HuxPoint2D a, HuxPoint2D b)
{
    return {a.x - b.x, a.y - b.y};
}

double Reach(HuxPoint2D from, HuxPoint2D to, double power)
{
    return Length(from.x - to.x, from.y - to.y) * power;
}

// Moves p by `amount` straight towards target, landing on it rather than
// passing it.
void MoveToward(HuxPoint2D& p, HuxPoint2D target, double amount)
{
    const double distance = Length(target.x - p.x, target.y - p.y);
    if (amount > distance) {
        p = target;
        return;
    }
    if (distance == 0.0)
        return;
    const double t = amount / distance;
    p.x = (1.0 - t) * p.x + t * target.x;
    p.y = (1.0 - t) * p.y + t * target.y;
}

// Binomial 3 x 3 average around (c, r), ring points included.
HuxPoint2D SmoothTarget(const PSPlimGrid& grid, int c, int r)
{
    static constexpr double kWeights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    HuxPoint2D sum{0.0, 0.0};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const HuxPoint2D& q = grid.Point(c + i, r + j);
            sum.x += kWeights[j + 1][i + 1] / 16.0 * q.x;
            sum.y += kWeights[j + 1][i + 1] / 16.0 * q.y;
        }
    }
    return sum;
}

} // namespace

GridIndexRect PSPlimGrid::Push(Point2D from, Point2D to, double radius, double power)
{
    if (!ToolPositions({&from, &to}))
        return {};
    HuxPoint2D direction{to.x - from.x, to.y - from.y};
    const double length = Length(direction.x, direction.y);
    if (length != 0.0) {
        direction.x /= length;
        direction.y /= length;
    }
    return VisitBrush(*this, from, to, radius, Reach(from, to, power),
                      [direction](HuxPoint2D& p, int, int, double amount) {
                          p.x += amount * direction.x;
                          p.y += amount * direction.y;
                      });
}

GridIndexRect PSPlimGrid::Smooth(Point2D from, Point2D to, double radius, double power)
{
    if (!ToolPositions({&from, &to}))
        return {};
    // Targets come from the grid as it was before this application.
    const PSPlimGrid before = *this;
    return VisitBrush(*this, from, to, radius, Reach(from, to, power),
                      [&before](HuxPoint2D& p, int c, int r, double amount) {
                          MoveToward(p, SmoothTarget(before, c, r), amount);
                      });
}

GridIndexRect PSPlimGrid::Bulge(Point2D from, Point2D to, double radius, double power, Point2D anchor)
{
    if (!ToolPositions({&from, &to, &anchor}))
        return {};
    return VisitBrush(*this, from, to, radius, Reach(from, to, power) * 0.2,
                      [anchor](HuxPoint2D& p, int, int, double amount) {
                          const double vx = p.x - anchor.x, vy = p.y - anchor.y;
                          const double length = Length(vx, vy);
                          if (length == 0.0) // on the anchor: no direction to move in
                              return;
                          p.x += amount * (vx / length);
                          p.y += amount * (vy / length);
                      });
}

GridIndexRect PSPlimGrid::PullToward(Point2D from, Point2D to, double radius, double power,
                                     const HuxTransform2D& transform)
{
    if (!ToolPositions({&from, &to}))
        return {};
    return VisitBrush(*this, from, to, radius, Reach(from, to, power),
                      [this, &transform](HuxPoint2D& p, int c, int r, double amount) {
                          MoveToward(p, transform.Apply(RegularPosition(c, r)), amount);
                      });
}

GridIndexRect PSPlimGrid::Revert(Point2D from, Point2D to, double radius, double power)
{
    return PullToward(from, to, radius, power, HuxTransform2D());
}

GridIndexRect PSPlimGrid::Stabilise(Point2D from, Point2D to, double radius, double power, Point2D anchor)
{
    if (!ToolPositions({&from, &to, &anchor}))
        return {};
    // The undeformed position of the material under the anchor, and the cell
    // and triangle that gave it: the turn must be that material's own.
    HuxPoint2D source;
    const CellTriangle cell = Lookup(anchor, source) ? found_ : NearestTriangle(anchor);
    // Its two edges along the grid lines: from the top-left corner for the
    // upper-left triangle, into the bottom-right corner for the other.
    const int c = cell.column, r = cell.row;
    const bool upperLeft = cell.upperLeft;
    const HuxPoint2D& corner = upperLeft ? Point(c, r) : Point(c + 1, r + 1);
    const HuxPoint2D& across = upperLeft ? Point(c + 1, r) : Point(c, r + 1);
    const HuxPoint2D& down = upperLeft ? Point(c, r + 1) : Point(c + 1, r);
    const HuxPoint2D h = upperLeft ? Difference(across, corner) : Difference(corner, across);
    const HuxPoint2D v = upperLeft ? Difference(down, corner) : Difference(corner, down);
    // The mean turn of the cell's two edges; zero for an undeformed cell.
    const double angle = (std::numbers::pi / 2 - std::atan2(h.y, h.x) - std::atan2(v.y, v.x)) * 0.5;

    // anchor + R(angle) * (q - source): the undeformed lattice moved and
    // turned to agree with the grid at the anchor.
    HuxTransform2D transform, step;
    transform.SetTranslation(-source.x, -source.y);
    step.SetRotation(angle);
    transform.PreMultiply(step);
    step.SetTranslation(anchor.x, anchor.y);
    transform.PreMultiply(step);
    return PullToward(from, to, radius, power, transform);
}
