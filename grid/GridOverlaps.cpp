#include "grid/GridOverlaps.h"

#include "grid/GridTriangles.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Point2D = GridPoints::Point2D;

// Twice a triangle's area below this share of its longest edge squared: thin,
// or turned over below zero.
constexpr double kThin = GridOverlaps::kMargin;

bool Finite(Point2D p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

double SquaredLength(double x, double y)
{
    return x * x + y * y;
}

// The corners of triangle `index` (as GridTriangles numbers them): base,
// then the ends of its two edges.
struct Corners {
    Point2D base, first, second;
};

Corners TriangleCorners(const GridPoints& points, int across, size_t index)
{
    const size_t cell = index / 2, cellsAcross = size_t(across - 1);
    const Point2D* top = points.data() + (cell / cellsAcross) * size_t(across) + cell % cellsAcross;
    const Point2D* below = top + across;
    if (index % 2 != 0)
        return {top[0], top[1], below[0]};
    return {below[1], below[0], top[1]};
}

} // namespace

int GridOverlaps::BucketX(double x) const
{
    const double v = x * bucketScaleX_;
    if (!(v > 0.0))
        return 0;
    return v < bucketsAcross_ ? static_cast<int>(v) : bucketsAcross_ - 1;
}

int GridOverlaps::BucketY(double y) const
{
    const double v = y * bucketScaleY_;
    if (!(v > 0.0))
        return 0;
    return v < bucketsDown_ ? static_cast<int>(v) : bucketsDown_ - 1;
}

template <class Visit>
void GridOverlaps::ForEachBucket(const Box& box, Visit&& visit) const
{
    const int i0 = BucketX(box.minX), i1 = BucketX(box.maxX);
    const int j0 = BucketY(box.minY), j1 = BucketY(box.maxY);
    for (int j = j0; j <= j1; ++j) {
        for (int i = i0; i <= i1; ++i)
            visit(size_t(j) * size_t(bucketsAcross_) + size_t(i));
    }
}

GridOverlaps::Box GridOverlaps::TriangleBox(const GridPoints& points, size_t index) const
{
    const Corners c = TriangleCorners(points, across_, index);
    Box box{std::min({c.base.x, c.first.x, c.second.x}), std::min({c.base.y, c.first.y, c.second.y}),
            std::max({c.base.x, c.first.x, c.second.x}), std::max({c.base.y, c.first.y, c.second.y})};
    const double reach =
        std::max({std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY), std::fabs(box.maxY)}) +
        (box.maxX - box.minX) + (box.maxY - box.minY);
    const double widen = reach * kWiden + std::numeric_limits<double>::min();
    return {box.minX - widen, box.minY - widen, box.maxX + widen, box.maxY + widen};
}

// Queries are clamped onto the rectangle: a box beside it holds none.
bool GridOverlaps::MeetsRectangle(const Box& box) const
{
    return box.maxX >= 0.0 && box.minX <= width_ && box.maxY >= 0.0 && box.minY <= height_;
}

void GridOverlaps::Analyse(const GridPoints& points, int across, int down, double width, double height,
                           bool ringInPlace)
{
    const int cellsAcross = across - 1, cellsDown = down - 1;
    const bool usableExtent = width > 0.0 && height > 0.0 && std::isfinite(width) && std::isfinite(height);
    across_ = across;
    cellsAcross_ = cellsAcross;
    width_ = width;
    height_ = height;
    bucketsAcross_ = usableExtent ? std::max(across - 3, 1) : 1;
    bucketsDown_ = usableExtent ? std::max(down - 3, 1) : 1;
    bucketScaleX_ = usableExtent ? bucketsAcross_ / width : 0.0;
    bucketScaleY_ = usableExtent ? bucketsDown_ / height : 0.0;
    bucketsFilled_ = false;
    // Without the ring on the border (or without an extent) nothing shows
    // that the mesh covers the image once.
    bool everywhereUnclean = !ringInPlace || !usableExtent;

    // Each triangle's shape; a thin or turned-over one marks the buckets it
    // meets as folded. Only a thin triangle can fail every test (a zero
    // pivot needs an area far below the threshold), and only such a one is
    // solved here: a ring lying flat on the border, for one, is no fold.
    const size_t count = 2 * size_t(cellsAcross) * size_t(cellsDown);
    shapes_.resize(count);
    folded_.assign(size_t(bucketsAcross_) * size_t(bucketsDown_), 0);
    unbounded_.clear();
    bool anyFold = false;
    const Point2D* data = points.data();
    for (int b = 0; b < cellsDown; ++b) {
        const Point2D* top = data + size_t(b) * size_t(across);
        const Point2D* below = top + across;
        for (int a = 0; a < cellsAcross; ++a, ++top, ++below) {
            for (int upperLeft = 0; upperLeft < 2; ++upperLeft) {
                const size_t index = 2 * (size_t(b) * size_t(cellsAcross) + size_t(a)) + size_t(upperLeft);
                const Point2D base = upperLeft ? top[0] : below[1];
                const Point2D first = upperLeft ? top[1] : below[0];
                const Point2D second = upperLeft ? below[0] : top[1];
                const double e1x = first.x - base.x, e1y = first.y - base.y;
                const double e2x = second.x - base.x, e2y = second.y - base.y;
                Shape& shape = shapes_[index];
                shape.longestSquared =
                    std::max({SquaredLength(e1x, e1y), SquaredLength(e2x, e2y), SquaredLength(e2x - e1x, e2y - e1y)});
                shape.cross = e1x * e2y - e1y * e2x;
                shape.thin = !(shape.cross > kThin * shape.longestSquared);
                shape.solvable = true;
                shape.finite = true;
                shape.listed = false;
                if (!shape.thin)
                    continue;
                shape.finite = Finite(base) && Finite(first) && Finite(second);
                shape.solvable = !std::isnan(GridTriangles::Solve(base, first, second).pivot);
                // A point beyond all numbers leaves a hole in the mesh, or a
                // triangle without a box: nothing shows where it overlaps.
                everywhereUnclean = everywhereUnclean || !shape.finite;
                if (!shape.solvable)
                    continue;
                if (!shape.finite) {
                    unbounded_.push_back(int32_t(index));
                    continue;
                }
                const Box box = TriangleBox(points, index);
                if (MeetsRectangle(box)) {
                    ForEachBucket(box, [this](size_t bucket) { folded_[bucket] = 1; });
                    anyFold = true;
                }
            }
        }
    }

    // Cells: the longest edge squared of each and of the cells around it,
    // then the clean ones: both triangles not thin and high enough against
    // the longest edge around, and no fold near.
    const size_t cells = size_t(cellsAcross) * size_t(cellsDown);
    cellScale_.resize(cells);
    aroundScale_.resize(cells);
    for (size_t cell = 0; cell < cells; ++cell)
        cellScale_[cell] = std::max(shapes_[2 * cell].longestSquared, shapes_[2 * cell + 1].longestSquared);
    for (int b = 0; b < cellsDown; ++b) {
        const double* row = cellScale_.data() + size_t(b) * size_t(cellsAcross);
        double* out = aroundScale_.data() + size_t(b) * size_t(cellsAcross);
        for (int a = 0; a < cellsAcross; ++a)
            out[a] = std::max({row[std::max(a - 1, 0)], row[a], row[std::min(a + 1, cellsAcross - 1)]});
    }
    clean_.assign(cells, 0);
    for (int b = 0; b < cellsDown && !everywhereUnclean; ++b) {
        const double* above = aroundScale_.data() + size_t(std::max(b - 1, 0)) * size_t(cellsAcross);
        const double* row = aroundScale_.data() + size_t(b) * size_t(cellsAcross);
        const double* under = aroundScale_.data() + size_t(std::min(b + 1, cellsDown - 1)) * size_t(cellsAcross);
        for (int a = 0; a < cellsAcross; ++a) {
            const double around = std::max({above[a], row[a], under[a]});
            const size_t cell = size_t(b) * size_t(cellsAcross) + size_t(a);
            const auto sound = [around](const Shape& shape) {
                return !shape.thin && shape.cross * shape.cross >= kThin * kThin * shape.longestSquared * around;
            };
            if (!sound(shapes_[2 * cell]) || !sound(shapes_[2 * cell + 1]))
                continue;
            bool folded = false;
            if (anyFold) {
                const Box lower = TriangleBox(points, 2 * cell), upper = TriangleBox(points, 2 * cell + 1);
                const Box both{std::min(lower.minX, upper.minX), std::min(lower.minY, upper.minY),
                               std::max(lower.maxX, upper.maxX), std::max(lower.maxY, upper.maxY)};
                ForEachBucket(both, [&](size_t bucket) { folded = folded || folded_[bucket] != 0; });
            }
            clean_[cell] = folded ? 0 : 1;
        }
    }
    generation_ = points.Generation();
}

void GridOverlaps::FillBuckets(const GridPoints& points)
{
    // How many triangles each bucket lists, then the lists.
    const size_t buckets = size_t(bucketsAcross_) * size_t(bucketsDown_);
    bucketStart_.assign(buckets + 1, 0);
    boxes_.resize(shapes_.size());
    for (size_t index = 0; index < shapes_.size(); ++index) {
        Shape& shape = shapes_[index];
        if (!shape.solvable || !shape.finite)
            continue;
        boxes_[index] = TriangleBox(points, index);
        shape.listed = MeetsRectangle(boxes_[index]);
        if (shape.listed)
            ForEachBucket(boxes_[index], [this](size_t bucket) { ++bucketStart_[bucket + 1]; });
    }
    for (size_t k = 0; k < buckets; ++k)
        bucketStart_[k + 1] += bucketStart_[k];
    bucketItems_.resize(size_t(bucketStart_[buckets]));
    nextItem_.assign(bucketStart_.begin(), bucketStart_.end() - 1);
    for (size_t index = 0; index < shapes_.size(); ++index) {
        if (!shapes_[index].listed)
            continue;
        const auto append = [&](size_t bucket) { bucketItems_[size_t(nextItem_[bucket]++)] = int32_t(index); };
        ForEachBucket(boxes_[index], append);
    }
    bucketsFilled_ = true;
}

void GridOverlaps::CopyFrom(const GridOverlaps& other)
{
    if (!other.bucketsFilled_) {
        generation_ = 0; // to be worked out on use
        return;
    }
    generation_ = other.generation_;
    across_ = other.across_;
    cellsAcross_ = other.cellsAcross_;
    width_ = other.width_;
    height_ = other.height_;
    bucketsAcross_ = other.bucketsAcross_;
    bucketsDown_ = other.bucketsDown_;
    bucketScaleX_ = other.bucketScaleX_;
    bucketScaleY_ = other.bucketScaleY_;
    bucketsFilled_ = other.bucketsFilled_;
    clean_ = other.clean_;
    bucketStart_ = other.bucketStart_;
    bucketItems_ = other.bucketItems_;
    unbounded_ = other.unbounded_;
}

std::span<const int32_t> GridOverlaps::Candidates(const GridPoints& points, double x, double y)
{
    if (!bucketsFilled_)
        FillBuckets(points);
    const size_t bucket = size_t(BucketY(y)) * size_t(bucketsAcross_) + size_t(BucketX(x));
    return {bucketItems_.data() + bucketStart_[bucket], bucketItems_.data() + bucketStart_[bucket + 1]};
}
