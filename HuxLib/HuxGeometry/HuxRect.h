// Integer rectangles and points in image or screen pixels. Rectangles are
// half-open: right and bottom lie just outside.
#pragma once

#include <algorithm>
#include <cstdint>

struct HuxPointI {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const HuxPointI&) const = default;
};

struct HuxRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const HuxRect&) const = default;
};

// Every coordinate divided by the sampling rate (integer division), the way
// the host addresses a reduced image.
constexpr HuxRect HuxRectDivide(const HuxRect& r, int32_t scale)
{
    return {r.left / scale, r.top / scale, r.right / scale, r.bottom / scale};
}

constexpr HuxRect HuxRectIntersect(const HuxRect& a, const HuxRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

constexpr HuxRect HuxRectOffset(const HuxRect& r, int32_t dx, int32_t dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
