#include "grid/GridOverlaps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Point2D = GridPoints::Point2D;

// Twice a triangle's area below this share of its longest edge squared: thin,
// or turned over below zero.
constexpr double kThin = GridOverlaps::kMargin;
// A triangle's test may accept a point a few rounding errors of its
// coordinates beyond it; its box is widened far beyond that.
constexpr double kWiden = 0x1p-40;

bool Finite(Point2D p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

double SquaredLength(double x, double y)
{
    return x * x + y * y;
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

std::span<const int32_t> GridOverlaps::Candidates(double x, double y) const
{
    const size_t bucket = size_t(BucketY(y)) * size_t(bucketsAcross_) + size_t(BucketX(x));
    return {bucketItems_.data() + bucketStart_[bucket], bucketItems_.data() + bucketStart_[bucket + 1]};
}

void GridOverlaps::Analyse(const GridPoints& points, GridTriangles& triangles, int across, int down, double width,
                           double height, bool ringInPlace)
{
    const int cellsAcross = across - 1, cellsDown = down - 1;
    const bool usableExtent = width > 0.0 && height > 0.0 && std::isfinite(width) && std::isfinite(height);
    cellsAcross_ = cellsAcross;
    bucketsAcross_ = usableExtent ? std::max(across - 3, 1) : 1;
    bucketsDown_ = usableExtent ? std::max(down - 3, 1) : 1;
    bucketScaleX_ = usableExtent ? bucketsAcross_ / width : 0.0;
    bucketScaleY_ = usableExtent ? bucketsDown_ / height : 0.0;
    // Without the ring on the border (or without an extent) nothing shows
    // that the mesh covers the image once.
    bool everywhereUnclean = !ringInPlace || !usableExtent;

    // Each triangle's shape and box.
    const size_t count = 2 * size_t(cellsAcross) * size_t(cellsDown);
    shapes_.resize(count);
    unbounded_.clear();
    const Point2D* data = points.data();
    for (int b = 0; b < cellsDown; ++b) {
        for (int a = 0; a < cellsAcross; ++a) {
            const Point2D* top = data + size_t(b) * size_t(across) + size_t(a);
            const Point2D* below = top + across;
            for (const bool upperLeft : {false, true}) {
                const size_t index = 2 * (size_t(b) * size_t(cellsAcross) + size_t(a)) + (upperLeft ? 1 : 0);
                Shape& shape = shapes_[index];
                shape.listed = false;
                shape.thin = true;
                const Point2D base = upperLeft ? top[0] : below[1];
                const Point2D corner1 = upperLeft ? top[1] : below[0];
                const Point2D corner2 = upperLeft ? below[0] : top[1];
                const bool finite = Finite(base) && Finite(corner1) && Finite(corner2);
                // A point beyond all numbers leaves a hole in the mesh, or a
                // triangle without a box: nothing shows where it overlaps.
                everywhereUnclean = everywhereUnclean || !finite;
                // A pivot that is not a number fails every test.
                if (std::isnan(triangles.Get(points, across, down, a, b, upperLeft).pivot))
                    continue;
                if (!finite) {
                    unbounded_.push_back(int32_t(index));
                    continue;
                }
                const double e1x = corner1.x - base.x, e1y = corner1.y - base.y;
                const double e2x = corner2.x - base.x, e2y = corner2.y - base.y;
                const double longestSquared = std::max(
                    {SquaredLength(e1x, e1y), SquaredLength(e2x, e2y), SquaredLength(e2x - e1x, e2y - e1y)});
                shape.cross = e1x * e2y - e1y * e2x;
                shape.longest = std::sqrt(longestSquared);
                shape.thin = !(shape.cross > kThin * longestSquared);
                shape.minX = std::min({base.x, corner1.x, corner2.x});
                shape.maxX = std::max({base.x, corner1.x, corner2.x});
                shape.minY = std::min({base.y, corner1.y, corner2.y});
                shape.maxY = std::max({base.y, corner1.y, corner2.y});
                const double reach = std::max({std::fabs(shape.minX), std::fabs(shape.maxX), std::fabs(shape.minY),
                                               std::fabs(shape.maxY)}) +
                                     (shape.maxX - shape.minX) + (shape.maxY - shape.minY);
                const double widen = reach * kWiden + std::numeric_limits<double>::min();
                shape.minX -= widen;
                shape.minY -= widen;
                shape.maxX += widen;
                shape.maxY += widen;
                // Queries are clamped onto the rectangle: a box beside it
                // holds none.
                shape.listed = shape.maxX >= 0.0 && shape.minX <= width && shape.maxY >= 0.0 && shape.minY <= height;
            }
        }
    }

    // Buckets: how many triangles each lists, then the lists; a thin or
    // turned-over triangle marks the buckets it meets as folded.
    const size_t buckets = size_t(bucketsAcross_) * size_t(bucketsDown_);
    bucketStart_.assign(buckets + 1, 0);
    folded_.assign(buckets, 0);
    const auto forEachBucket = [this](const Shape& shape, auto&& visit) {
        const int i0 = BucketX(shape.minX), i1 = BucketX(shape.maxX);
        const int j0 = BucketY(shape.minY), j1 = BucketY(shape.maxY);
        for (int j = j0; j <= j1; ++j) {
            for (int i = i0; i <= i1; ++i)
                visit(size_t(j) * size_t(bucketsAcross_) + size_t(i));
        }
    };
    for (const Shape& shape : shapes_) {
        if (!shape.listed)
            continue;
        forEachBucket(shape, [&](size_t bucket) {
            ++bucketStart_[bucket + 1];
            folded_[bucket] |= shape.thin ? 1 : 0;
        });
    }
    for (size_t k = 0; k < buckets; ++k)
        bucketStart_[k + 1] += bucketStart_[k];
    bucketItems_.resize(size_t(bucketStart_[buckets]));
    std::vector<int32_t>& next = nextItem_;
    next.assign(bucketStart_.begin(), bucketStart_.end() - 1);
    for (size_t index = 0; index < count; ++index) {
        if (!shapes_[index].listed)
            continue;
        forEachBucket(shapes_[index], [&](size_t bucket) { bucketItems_[size_t(next[bucket]++)] = int32_t(index); });
    }

    // Cells: each one's longest edge, then the clean ones.
    cellScale_.assign(size_t(cellsAcross) * size_t(cellsDown), 0.0);
    for (size_t cell = 0; cell < cellScale_.size(); ++cell)
        cellScale_[cell] = std::max(shapes_[2 * cell].listed ? shapes_[2 * cell].longest : 0.0,
                                    shapes_[2 * cell + 1].listed ? shapes_[2 * cell + 1].longest : 0.0);
    clean_.assign(cellScale_.size(), 0);
    for (int b = 0; b < cellsDown && !everywhereUnclean; ++b) {
        for (int a = 0; a < cellsAcross; ++a) {
            const size_t cell = size_t(b) * size_t(cellsAcross) + size_t(a);
            double around = 0.0;
            for (int j = std::max(b - 1, 0); j <= std::min(b + 1, cellsDown - 1); ++j) {
                for (int i = std::max(a - 1, 0); i <= std::min(a + 1, cellsAcross - 1); ++i)
                    around = std::max(around, cellScale_[size_t(j) * size_t(cellsAcross) + size_t(i)]);
            }
            const Shape& lower = shapes_[2 * cell];
            const Shape& upper = shapes_[2 * cell + 1];
            const auto sound = [around](const Shape& shape) {
                return shape.listed && !shape.thin && shape.cross >= kThin * shape.longest * around;
            };
            if (!sound(lower) || !sound(upper))
                continue;
            Shape both = lower;
            both.minX = std::min(lower.minX, upper.minX);
            both.minY = std::min(lower.minY, upper.minY);
            both.maxX = std::max(lower.maxX, upper.maxX);
            both.maxY = std::max(lower.maxY, upper.maxY);
            bool folded = false;
            forEachBucket(both, [&](size_t bucket) { folded |= folded_[bucket] != 0; });
            clean_[cell] = folded ? 0 : 1;
        }
    }
    generation_ = points.Generation();
}
