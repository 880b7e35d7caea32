// Dispatch of a button's tool id to the grid's tool operations.
#include "grid/PSPlimTools.h"

GridIndexRect ApplyTool(PSPlimGrid& grid, int toolId, HuxGeometry::HuxPoint2D from, HuxGeometry::HuxPoint2D to,
                        double radius, double power, HuxGeometry::HuxPoint2D anchor)
{
    switch (toolId) {
    case kToolSquelm:
        return grid.Push(from, to, radius, power);
    case kToolMellow:
        return grid.Smooth(from, to, radius, power);
    case kToolRevert:
        return grid.Revert(from, to, radius, power);
    case kToolStabilise:
        return grid.Stabilise(from, to, radius, power, anchor);
    case kToolBoggle:
        return grid.Bulge(from, to, radius, power, anchor);
    case kToolNibble:
        return grid.Bulge(from, to, radius, -power, anchor);
    default:
        return {};
    }
}
