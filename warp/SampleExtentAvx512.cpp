// The sample extent's row kernel on AVX-512: four pixels at a time.
// Everything in this file is compiled for AVX-512, so it includes nothing
// but the kernel and its lanes.
#if defined(__SSE2__)
#pragma GCC target("avx512f,avx512dq")

#include "HuxLib/HUXUTIL/HuxLanesAvx512.h"
#include "warp/SampleExtentKernel.h"

namespace SampleExtentKernels {

SampleExtent Avx512(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                    double singleSquared)
{
    const SampleExtent extent = SampleExtentRow::Row<HuxLanesAvx512>(above, below, count, singleSquared);
    // See SampleExtentAvx.cpp.
    _mm256_zeroupper();
    return extent;
}

} // namespace SampleExtentKernels
#endif
