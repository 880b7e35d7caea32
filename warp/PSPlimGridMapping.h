// The effect's mapping from destination to source: a destination position in
// cache coordinates is looked up in the deformed grid, and the position that
// the material found there had in the undeformed grid is the source.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"

class PSPlimGrid;

class PSPlimGridMapping {
public:
    explicit PSPlimGridMapping(PSPlimGrid& grid) : grid_(&grid) {}

    // The filter rectangle in cache coordinates (L, T, R, B); set before
    // every render, for the sampling rate of that render.
    void SetRectangle(const HuxRect& rect) { rect_ = rect; }
    const HuxRect& Rectangle() const { return rect_; }

    // Changes the grid's lookup state, so neither this nor the grid may
    // serve two renders at once.
    HuxGeometry::HuxPoint2D MapPoint(HuxGeometry::HuxPoint2D destination);

private:
    PSPlimGrid* grid_;
    HuxRect rect_;
};
