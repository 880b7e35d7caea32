// A position in a continuous plane, passed and returned by value.
#pragma once

namespace HuxGeometry {

struct HuxPoint2D {
    double x = 0.0;
    double y = 0.0;
};

inline bool operator==(const HuxPoint2D& a, const HuxPoint2D& b) { return a.x == b.x && a.y == b.y; }

} // namespace HuxGeometry
