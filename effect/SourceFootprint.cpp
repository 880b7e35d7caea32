#include "effect/SourceFootprint.h"

#include "warp/PixelReader.h"
#include "warp/QuadMeasures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLimit = kSamplePositionLimit;

int64_t FloorMod(int64_t value, int64_t n)
{
    const int64_t m = value % n;
    return m < 0 ? m + n : m;
}

// Both axes at once. A single sample's position is the sampler's own
// (MeasureQuad), exactly; samples between the corners are interpolated, so
// the corners get a margin (kSampleCornerMargin). A coordinate that is not
// finite leaves x - x not 0 (NaN); min and max pass a NaN over.
SampleExtent PlainRowExtent(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below,
                            int32_t count, double singleSquared)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const PointPair tiny = PointPair::Both(kSampleCornerMargin), one = PointPair::Both(1.0);
    PointPair low = PointPair::Both(infinity), high = PointPair::Both(-infinity), wild = PointPair::Both(0.0);
    const auto add = [&](PointPair p, PointPair margin) {
        low = Min(low, p - margin);
        high = Max(high, p + margin);
        wild = wild + (p - p);
    };
    for (int32_t k = 0; k < count; ++k) {
        const QuadMeasures quad = MeasureQuad(above[k], above[k + 1], below[k], below[k + 1]);
        if (quad.squaredTop < singleSquared && quad.squaredLeft < singleSquared) {
            add(quad.centre, PointPair::Both(0.0));
            continue;
        }
        for (const HuxGeometry::HuxPoint2D* corner : {&above[k], &above[k + 1], &below[k], &below[k + 1]}) {
            const PointPair p = PointPair::Of(*corner);
            add(p, tiny * (one + p.Abs()));
        }
    }
    return {{low.X(), low.Y()}, {high.X(), high.Y()}, {!(wild.X() == 0.0), !(wild.Y() == 0.0)}};
}

} // namespace

void CornerBox::AddRow(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                       double singleSquared, SampleExtentKernel kernel)
{
    const SampleExtent row =
        kernel ? kernel(above, below, count, singleSquared) : PlainRowExtent(above, below, count, singleSquared);
    minX = std::min(minX, row.low[0]);
    minY = std::min(minY, row.low[1]);
    maxX = std::max(maxX, row.high[0]);
    maxY = std::max(maxY, row.high[1]);
    wildX = wildX || row.wild[0];
    wildY = wildY || row.wild[1];
}

double SingleSampleSquared(double density, double bias)
{
    if (!(density > 0.0 && density < 1e6 && bias > -1e6 && bias < 2.0 - 1e-3))
        return -1.0;
    const double single = (2.0 - bias) / density;
    return single * single * (1.0 - 1e-6);
}

void CornerBox::Add(const CornerBox& other)
{
    minX = std::min(minX, other.minX);
    maxX = std::max(maxX, other.maxX);
    minY = std::min(minY, other.minY);
    maxY = std::max(maxY, other.maxY);
    wildX = wildX || other.wildX;
    wildY = wildY || other.wildY;
}

HuxRect TileHull(const HuxRect& a, const HuxRect& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// A bilinear sample at x reads floor(x) and floor(x) + 1, both clamped to
// the limit; a nearest one reads trunc(x + 0.5), which is at least floor(x)
// and at most floor(x) + 1, or 0 just right of that when x + 0.5 is negative.
void SourceFootprint::ReadRange(double low, double high, bool wild, int64_t& first, int64_t& last)
{
    const int64_t lowest = -int64_t(kLimit), highest = int64_t(kLimit) + 1;
    if (wild) {
        first = lowest;
        last = highest;
        return;
    }
    const int64_t h = int64_t(std::floor(std::clamp(high, -2.0 * kLimit, 2.0 * kLimit))) + 1;
    first = std::clamp<int64_t>(int64_t(std::floor(std::clamp(low, -2.0 * kLimit, 2.0 * kLimit))), lowest, highest);
    last = std::clamp<int64_t>(h < 0 ? h + 1 : h, lowest, highest);
}

SourceFootprint::Span SourceFootprint::AxisTiles(int64_t first, int64_t last, int32_t origin, int64_t extent,
                                                 int32_t tileSize) const
{
    Span span;
    if (extent <= 0 || first > last)
        return span;
    const Span all{0, (extent - 1) / tileSize};
    int64_t low = first - origin, high = last - origin; // offsets into the axis
    switch (cache_.EdgeModeValue()) {
    case HuxPSTileCache::kFixedColour: // outside reads the colour, no tile
        low = std::max<int64_t>(low, 0);
        high = std::min<int64_t>(high, extent - 1);
        if (low > high)
            return span;
        break;
    case HuxPSTileCache::kWrap:
        if (high - low + 1 >= extent)
            return all;
        low = FloorMod(low, extent);
        high = FloorMod(high, extent);
        if (low > high) // across the seam: both ends of the axis
            return all;
        break;
    case HuxPSTileCache::kMirror: {
        if (high - low + 1 >= 2 * extent)
            return all;
        // The reflection steps by at most one position, so the positions
        // read form one range: the ends' images and the axis's end at each
        // reflection passed.
        const auto reflect = [extent](int64_t offset) {
            const int64_t m = FloorMod(offset, 2 * extent);
            return m >= extent ? 2 * extent - m - 1 : m;
        };
        const int64_t firstPeriod = low >= 0 ? low / extent : -((-low + extent - 1) / extent);
        const int64_t lastPeriod = high >= 0 ? high / extent : -((-high + extent - 1) / extent);
        const int64_t a = reflect(low), b = reflect(high);
        low = std::min(a, b);
        high = std::max(a, b);
        for (int64_t k = firstPeriod + 1; k <= lastPeriod; ++k) {
            if (k % 2 == 0)
                low = 0;
            else
                high = extent - 1;
        }
        break;
    }
    default: // repeat the edge
        low = std::clamp<int64_t>(low, 0, extent - 1);
        high = std::clamp<int64_t>(high, 0, extent - 1);
        break;
    }
    span.first = low / tileSize;
    span.last = high / tileSize;
    return span;
}

HuxRect SourceFootprint::Combine(const Span& columns, const Span& rows) const
{
    if (columns.first > columns.last || rows.first > rows.last)
        return {};
    return {int32_t(columns.first), int32_t(rows.first), int32_t(columns.last + 1), int32_t(rows.last + 1)};
}

HuxRect SourceFootprint::OfCorners(const CornerBox& box) const
{
    if (box.IsEmpty())
        return {};
    const HuxRect& bounds = cache_.Bounds();
    int64_t firstX, lastX, firstY, lastY;
    ReadRange(box.minX, box.maxX, box.wildX, firstX, lastX);
    ReadRange(box.minY, box.maxY, box.wildY, firstY, lastY);
    return Combine(AxisTiles(firstX, lastX, bounds.left, int64_t(bounds.right) - bounds.left, cache_.TileWidth()),
                   AxisTiles(firstY, lastY, bounds.top, int64_t(bounds.bottom) - bounds.top, cache_.TileHeight()));
}

HuxRect SourceFootprint::OfPixels(const HuxRect& pixels) const
{
    if (pixels.IsEmpty())
        return {};
    const HuxRect& bounds = cache_.Bounds();
    return Combine(AxisTiles(pixels.left, int64_t(pixels.right) - 1, bounds.left,
                             int64_t(bounds.right) - bounds.left, cache_.TileWidth()),
                   AxisTiles(pixels.top, int64_t(pixels.bottom) - 1, bounds.top,
                             int64_t(bounds.bottom) - bounds.top, cache_.TileHeight()));
}
