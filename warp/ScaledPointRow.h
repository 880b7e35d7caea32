// A row of points each scaled back per axis, as PSPlimGridMapping returns
// grid positions to pixels: x' = factor.x * (x / divisor.x) + offset.x, and
// so for y, with one division of both axes at once: the very operations of
// the scalar form, in its order.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

inline void ScalePointRow(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
                          HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset)
{
#if defined(__SSE2__)
    static_assert(sizeof(HuxGeometry::HuxPoint2D) == 2 * sizeof(double));
    const __m128d d = _mm_set_pd(divisor.y, divisor.x), f = _mm_set_pd(factor.y, factor.x);
    const __m128d o = _mm_set_pd(offset.y, offset.x);
    double* p = reinterpret_cast<double*>(points);
    for (int32_t k = 0; k < count; ++k, p += 2)
        _mm_storeu_pd(p, _mm_add_pd(_mm_mul_pd(f, _mm_div_pd(_mm_loadu_pd(p), d)), o));
#else
    for (int32_t k = 0; k < count; ++k) {
        HuxGeometry::HuxPoint2D& p = points[k];
        p = {factor.x * (p.x / divisor.x) + offset.x, factor.y * (p.y / divisor.y) + offset.y};
    }
#endif
}
