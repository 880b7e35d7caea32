// Undo records of the deformation grid.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "grid/GridIndexRect.h"
#include "grid/PSPlimChoices.h"

#include <vector>

// The other side of a deformation: the points of one range, row by row over
// the range, and an edge mode. Swapping it into the grid is both undo and redo.
struct GridPatch {
    GridIndexRect range;
    std::vector<HuxGeometry::HuxPoint2D> points;
    PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Fixed;
};

// The other side of a size change: a whole grid without its edge mode.
struct GridState {
    double width = 0.0;
    double height = 0.0;
    int pointsAcross = 0;
    int pointsDown = 0;
    std::vector<HuxGeometry::HuxPoint2D> points;
};
