// Dispatch of a button's tool id to the grid's tool operations.
#include "grid/PSPlimTools.h"

GridIndexRect ApplyTool(PSPlimGrid& grid, PSPlimTool tool, HuxGeometry::HuxPoint2D from, HuxGeometry::HuxPoint2D to,
                        double radius, double power, HuxGeometry::HuxPoint2D anchor)
{
    switch (tool) {
    case PSPlimTool::Squelm:
        return grid.Push(from, to, radius, power);
    case PSPlimTool::Mellow:
        return grid.Smooth(from, to, radius, power);
    case PSPlimTool::Revert:
        return grid.Revert(from, to, radius, power);
    case PSPlimTool::Stabilise:
        return grid.Stabilise(from, to, radius, power, anchor);
    case PSPlimTool::Boggle:
        return grid.Bulge(from, to, radius, power, anchor);
    case PSPlimTool::Nibble:
        return grid.Bulge(from, to, radius, -power, anchor);
    }
    return {};
}
