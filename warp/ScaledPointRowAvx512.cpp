// The row scaling on AVX-512: four points at a time. Everything in this
// file is compiled for AVX-512, so it includes nothing but the kernel and
// its lanes.
#if defined(__SSE2__)
#pragma GCC target("avx512f,avx512dq")

#include "HuxLib/HUXUTIL/HuxLanesAvx512.h"
#include "warp/ScaledPointRowKernel.h"

namespace ScaledPointRows {

void Avx512(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
            HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset)
{
    ScaledPointRowKernel::Scale<HuxLanesAvx512>(points, count, divisor, factor, offset);
    // See ScaledPointRowAvx.cpp.
    _mm256_zeroupper();
}

} // namespace ScaledPointRows
#endif
