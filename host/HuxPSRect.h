// Conversions between the library's rectangles and the host's 16-bit ones.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "host/PSHostInterface.h"

#include <limits>
#include <stdexcept>

// Throws std::out_of_range for a coordinate the host's record cannot hold,
// rather than let it wrap into another rectangle.
inline PS::Rect HuxToHostRect(const HuxRect& r)
{
    auto narrow = [](int32_t v) {
        if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
            throw std::out_of_range("rectangle outside the host's coordinate range");
        return static_cast<int16_t>(v);
    };
    return {narrow(r.top), narrow(r.left), narrow(r.bottom), narrow(r.right)};
}

inline HuxRect HuxFromHostRect(const PS::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
