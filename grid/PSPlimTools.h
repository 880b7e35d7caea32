// The six brush tools by id, as the parameters record stores them per button.
#pragma once

#include "grid/PSPlimChoices.h"
#include "grid/PSPlimGrid.h"

// Applies the tool once to the grid: Squelm pushes, Mellow smooths, Revert
// reverts, Stabilise stabilises about the stroke's anchor, Boggle bulges
// away from the anchor and Nibble towards it.
GridIndexRect ApplyTool(PSPlimGrid& grid, PSPlimTool tool, HuxGeometry::HuxPoint2D from,
                        HuxGeometry::HuxPoint2D to, double radius, double power,
                        HuxGeometry::HuxPoint2D anchor);
