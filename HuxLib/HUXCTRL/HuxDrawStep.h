// Drawing as data: what a control's paint handler draws, in order, so that
// the decisions are made (and tested) here and the window side only carries
// the steps out one to one with the system's drawing calls.
#pragma once

#include "HuxLib/HUXCTRL/HuxColours.h"
#include "HuxLib/HuxGeometry/HuxRect.h"

#include <array>

struct HuxDrawStep {
    enum class Kind {
        FillRect,         // rect filled with colour
        Frame3D,          // one-pixel frame: colour top and left, bottomRight the other two sides
        RoundRect,        // no outline, filled with colour, corners corner x corner
        FocusRect,        // the system's dotted focus frame
        CopyFace,         // the button face copied into rect from its top-left
        CopyDisabledFace, // likewise the disabled face
    };

    Kind kind = Kind::FillRect;
    HuxRect rect;
    HuxSysColour colour = HuxSysColour::ButtonFace;
    HuxSysColour bottomRight = HuxSysColour::ButtonFace;
    int32_t corner = 0;

    bool operator==(const HuxDrawStep&) const = default;
};

// A rectangle filled with a colour given by value.
struct HuxColourFill {
    HuxRect rect;
    HuxColourRef colour = 0;

    bool operator==(const HuxColourFill&) const = default;
};

HuxDrawStep HuxFillStep(const HuxRect& rect, HuxSysColour colour);
HuxDrawStep HuxFrame3DStep(const HuxRect& rect, HuxSysColour topLeft, HuxSysColour bottomRight);

// The 3-D bevel: an outer frame on the rectangle and an inner one inset by
// 1, lit from the top left when raised, from the bottom right when sunken.
std::array<HuxDrawStep, 2> HuxBevelSteps(const HuxRect& rect, bool raised);

// The four bands of outer that lie outside inner: top, bottom, left, right.
// The left and right bands span the inner rectangle's height only.
std::array<HuxRect, 4> HuxFillAroundBands(const HuxRect& outer, const HuxRect& inner);

// The rectangle moved inwards by n on every side (outwards for n < 0).
constexpr HuxRect HuxRectDeflate(const HuxRect& r, int32_t n)
{
    return {r.left + n, r.top + n, r.right - n, r.bottom - n};
}
