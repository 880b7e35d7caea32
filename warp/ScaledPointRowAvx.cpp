// The row scaling on AVX: two points at a time. Everything in this file is
// compiled for AVX, so it includes nothing but the kernel and its lanes.
#if defined(__SSE2__)
#pragma GCC target("avx")

#include "HuxLib/HUXUTIL/HuxLanesAvx.h"
#include "warp/ScaledPointRowKernel.h"

namespace ScaledPointRows {

void Avx(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
         HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset)
{
    ScaledPointRowKernel::Scale<HuxLanesAvx>(points, count, divisor, factor, offset);
    // Compiled under the pragma, GCC leaves the registers' upper halves in
    // use, and every SSE instruction after would wait on them.
    _mm256_zeroupper();
}

} // namespace ScaledPointRows
#endif
