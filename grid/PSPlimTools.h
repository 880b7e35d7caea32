// The six brush tools by id, as the parameters record stores them per button.
#pragma once

#include "grid/PSPlimGrid.h"

constexpr int kToolSquelm = 0;    // Push
constexpr int kToolMellow = 1;    // Smooth
constexpr int kToolRevert = 2;    // Revert
constexpr int kToolStabilise = 3; // Stabilise about the stroke's anchor
constexpr int kToolBoggle = 4;    // Bulge away from the anchor
constexpr int kToolNibble = 5;    // Bulge towards the anchor
constexpr int kToolCount = 6;

// Applies tool toolId once to the grid; an unknown id does nothing and
// returns an empty range.
GridIndexRect ApplyTool(PSPlimGrid& grid, int toolId, HuxGeometry::HuxPoint2D from,
                        HuxGeometry::HuxPoint2D to, double radius, double power,
                        HuxGeometry::HuxPoint2D anchor);
