// Positions in the grid editor control: its client pixels and grid units,
// related through imageRect (the filter rectangle as placed in client
// coordinates at the last paint).
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"

struct PSPlimClientMapping {
    HuxRect imageRect{0, 0, -1, -1};
    double gridWidth = 0.0;
    double gridHeight = 0.0;

    // Floating point, so that a stroke moves the grid by fractions of a unit.
    HuxGeometry::HuxPoint2D ClientToGrid(HuxGeometry::HuxPoint2D client) const;
    // Truncated towards zero, as the control draws the grid and the circle.
    HuxPointI GridToClient(HuxGeometry::HuxPoint2D grid) const;
};
