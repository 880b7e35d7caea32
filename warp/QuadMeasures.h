// What the sampler decides a destination pixel by, from the four mapped
// corners of its source quadrilateral: the squared lengths of the top and
// left edges and the centre, with both axes of a point in one SSE2 register.
// Each lane performs the scalar form's operations in its order (written out
// below for builds without SSE2), so the bits are the same.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

struct QuadMeasures {
    double squaredTop;
    double squaredLeft;
    HuxGeometry::HuxPoint2D centre;
};

inline QuadMeasures MeasureQuad(const HuxGeometry::HuxPoint2D& topLeft, const HuxGeometry::HuxPoint2D& topRight,
                                const HuxGeometry::HuxPoint2D& bottomLeft, const HuxGeometry::HuxPoint2D& bottomRight)
{
#if defined(__SSE2__)
    static_assert(sizeof(HuxGeometry::HuxPoint2D) == 2 * sizeof(double));
    const __m128d a = _mm_loadu_pd(&topLeft.x), b = _mm_loadu_pd(&topRight.x);
    const __m128d c = _mm_loadu_pd(&bottomLeft.x), d = _mm_loadu_pd(&bottomRight.x);
    const __m128d top = _mm_sub_pd(a, b), left = _mm_sub_pd(a, c);
    const __m128d topSquares = _mm_mul_pd(top, top), leftSquares = _mm_mul_pd(left, left);
    // (dx * dx of top, of left) + (dy * dy of top, of left)
    const __m128d squared =
        _mm_add_pd(_mm_unpacklo_pd(topSquares, leftSquares), _mm_unpackhi_pd(topSquares, leftSquares));
    const __m128d half = _mm_set1_pd(0.5);
    const __m128d upper = _mm_add_pd(_mm_mul_pd(half, a), _mm_mul_pd(half, b));
    const __m128d lower = _mm_add_pd(_mm_mul_pd(half, c), _mm_mul_pd(half, d));
    QuadMeasures m;
    _mm_storel_pd(&m.squaredTop, squared);
    _mm_storeh_pd(&m.squaredLeft, squared);
    _mm_storeu_pd(&m.centre.x, _mm_add_pd(_mm_mul_pd(half, upper), _mm_mul_pd(half, lower)));
    return m;
#else
    const double topDx = topLeft.x - topRight.x;
    const double topDy = topLeft.y - topRight.y;
    const double leftDx = topLeft.x - bottomLeft.x;
    const double leftDy = topLeft.y - bottomLeft.y;
    const double x = 0.5 * (0.5 * topLeft.x + 0.5 * topRight.x) + 0.5 * (0.5 * bottomLeft.x + 0.5 * bottomRight.x);
    const double y = 0.5 * (0.5 * topLeft.y + 0.5 * topRight.y) + 0.5 * (0.5 * bottomLeft.y + 0.5 * bottomRight.y);
    return {topDx * topDx + topDy * topDy, leftDx * leftDx + leftDy * leftDy, {x, y}};
#endif
}
