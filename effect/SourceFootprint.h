// Which source tiles of a cache a render reads, worked out from mapped pixel
// corners before anything is read. The sampler reads only inside the
// quadrilateral of a pixel's corners (at its centre when it takes one
// sample), one pixel further right and down for the bilinear neighbours,
// and a position outside the image where the edge mode sends it; so the box
// of the samples, widened by that much, holds every read. The
// answer is a rectangle of tile columns and rows that may hold a few more
// tiles than are read, never fewer.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "host/HuxPSTileCache.h"
#include "warp/SampleExtentKernels.h"

#include <cstdint>
#include <limits>

// The bounding box of sample positions; a position that is not finite makes
// its axis unbounded (the sampler clamps such positions to its limits).
struct CornerBox {
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
    bool wildX = false;
    bool wildY = false;

    void Add(const CornerBox& other);
    // Where the samples of the pixels between two rows of count + 1 corners
    // lie: a pixel's at the centre of its corners when its top and left
    // edges are both shorter than sqrt(singleSquared) (one sample), else
    // anywhere within its corners. Through `kernel` where given, else pixel
    // by pixel; the same box either way.
    void AddRow(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                double singleSquared, SampleExtentKernel kernel = SampleExtentKernels::Chosen());
    bool IsEmpty() const { return !wildX && !wildY && minX > maxX; }
};

// The squared edge length below which a pixel certainly takes one sample
// per edge (EdgeSampleCount): below which length x density + bias < 2,
// with a margin for the rounding; -1 when no length is certain to.
double SingleSampleSquared(double density, double bias);

class SourceFootprint {
public:
    explicit SourceFootprint(const HuxPSTileCache& cache) : cache_(cache) {}

    // The tiles read by samples that lie in the box,
    // as tile columns (left, right) and rows (top, bottom), half-open.
    // Empty when nothing is read from a tile.
    HuxRect OfCorners(const CornerBox& box) const;
    // The tiles read at the pixels of `pixels` themselves (cache
    // coordinates): a masked render reads each output pixel's own source.
    HuxRect OfPixels(const HuxRect& pixels) const;

private:
    struct Span {
        int64_t first = 0; // tile column or row
        int64_t last = -1;
    };
    // The tiles holding the positions first .. last (inclusive) of one axis
    // and where the edge mode sends those outside.
    Span AxisTiles(int64_t first, int64_t last, int32_t origin, int64_t extent, int32_t tileSize) const;
    // The positions an axis's samples read, from the corners' extent.
    static void ReadRange(double low, double high, bool wild, int64_t& first, int64_t& last);
    HuxRect Combine(const Span& columns, const Span& rows) const;

    const HuxPSTileCache& cache_;
};

// The union of two rectangles of tiles, an empty one ignored.
HuxRect TileHull(const HuxRect& a, const HuxRect& b);
