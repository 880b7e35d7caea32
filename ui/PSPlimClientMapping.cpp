#include "ui/PSPlimClientMapping.h"

#include <algorithm>
#include <cmath>

namespace {

// Client coordinates stay far inside 32 bits, whatever a position far off
// the window or a degenerate layout gives.
constexpr double kClientLimit = 1073741824.0;

int32_t ToClientInteger(double value)
{
    return int32_t(std::isfinite(value) ? std::clamp(value, -kClientLimit, kClientLimit) : 0.0);
}

// An area of no extent maps as if it were one pixel, so that a stroke on a
// degenerate layout stays finite.
double Extent(int32_t low, int32_t high)
{
    return high != low ? double(high - low) : 1.0;
}

int32_t GridToClientAxis(int32_t low, int32_t high, double gridExtent, double g)
{
    const double offset = gridExtent > 0.0 ? std::trunc(double(high - low) / gridExtent * g) : 0.0;
    return ToClientInteger(offset) + low;
}

} // namespace

HuxGeometry::HuxPoint2D PSPlimClientMapping::ClientToGrid(HuxGeometry::HuxPoint2D client) const
{
    return {(client.x - imageRect.left) * gridWidth / Extent(imageRect.left, imageRect.right),
            (client.y - imageRect.top) * gridHeight / Extent(imageRect.top, imageRect.bottom)};
}

HuxPointI PSPlimClientMapping::GridToClient(HuxGeometry::HuxPoint2D grid) const
{
    return {GridToClientAxis(imageRect.left, imageRect.right, gridWidth, grid.x),
            GridToClientAxis(imageRect.top, imageRect.bottom, gridHeight, grid.y)};
}
