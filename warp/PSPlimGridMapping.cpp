#include "warp/PSPlimGridMapping.h"

#include "grid/PSPlimGrid.h"

#include <cstdint>

namespace {

// Grid units from cache coordinates along one axis. An empty axis (or a
// grid without extent) has no scale: every position maps to its start, and
// the result stays finite.
double ToGrid(double position, int32_t origin, int64_t extent, double gridExtent)
{
    if (extent <= 0 || !(gridExtent > 0.0))
        return 0.0;
    return (position - double(origin)) * gridExtent / double(extent);
}

double FromGrid(double position, int32_t origin, int64_t extent, double gridExtent)
{
    if (extent <= 0 || !(gridExtent > 0.0))
        return double(origin);
    return double(extent) * (position / gridExtent) + double(origin);
}

} // namespace

HuxGeometry::HuxPoint2D PSPlimGridMapping::MapPoint(HuxGeometry::HuxPoint2D destination)
{
    const int64_t width = int64_t(rect_.right) - rect_.left;
    const int64_t height = int64_t(rect_.bottom) - rect_.top;
    const double gridWidth = grid_->Width();
    const double gridHeight = grid_->Height();
    const HuxGeometry::HuxPoint2D undeformed = grid_->InvertPoint(
        {ToGrid(destination.x, rect_.left, width, gridWidth), ToGrid(destination.y, rect_.top, height, gridHeight)});
    return {FromGrid(undeformed.x, rect_.left, width, gridWidth), FromGrid(undeformed.y, rect_.top, height, gridHeight)};
}
