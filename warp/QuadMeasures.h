// What the sampler decides a destination pixel by, from the four mapped
// corners of its source quadrilateral: the squared lengths of its top and
// left edges and its centre, both coordinates at once (PointPair).
#pragma once

#include "warp/PointPair.h"

struct QuadMeasures {
    double squaredTop;
    double squaredLeft;
    PointPair centre;
};

inline QuadMeasures MeasureQuad(const HuxGeometry::HuxPoint2D& topLeft, const HuxGeometry::HuxPoint2D& topRight,
                                const HuxGeometry::HuxPoint2D& bottomLeft, const HuxGeometry::HuxPoint2D& bottomRight)
{
    const PointPair a = PointPair::Of(topLeft), b = PointPair::Of(topRight);
    const PointPair c = PointPair::Of(bottomLeft), d = PointPair::Of(bottomRight);
    const PointPair top = a - b, left = a - c;
    const PointPair topSquares = top * top, leftSquares = left * left;
    const PointPair half = PointPair::Both(0.5);
    return {topSquares.X() + topSquares.Y(), leftSquares.X() + leftSquares.Y(),
            half * (half * a + half * b) + half * (half * c + half * d)};
}
