// Boxes in grid units that edits re-render.
#pragma once

#include "grid/PSPlimGrid.h"

#include <algorithm>

// The smallest box holding both.
inline GridBounds PSPlimUnion(const GridBounds& a, const GridBounds& b)
{
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX), std::max(a.maxY, b.maxY)};
}
