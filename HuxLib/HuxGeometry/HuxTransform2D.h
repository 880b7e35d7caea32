// A 2-D homogeneous transform: a 3 x 3 matrix applied to (x, y, 1).
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

namespace HuxGeometry {

class HuxTransform2D {
public:
    // The identity.
    HuxTransform2D() { SetTranslation(0.0, 0.0); }

    // The identity shifted by (tx, ty).
    void SetTranslation(double tx, double ty);
    // A turn by angle (radians); with y pointing down a positive angle turns
    // anticlockwise on screen.
    void SetRotation(double angle);
    // this = other * this: the result applies this first, then other.
    void PreMultiply(const HuxTransform2D& other);
    HuxPoint2D Apply(HuxPoint2D p) const;

    double Element(int row, int column) const { return m_[row][column]; }

private:
    double m_[3][3];
};

} // namespace HuxGeometry
