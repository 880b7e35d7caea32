// The sample extent's row kernel on AVX: two pixels at a time. Everything
// in this file is compiled for AVX, so it includes nothing but the kernel
// and its lanes.
#if defined(__SSE2__)
#pragma GCC target("avx")

#include "HuxLib/HUXUTIL/HuxLanesAvx.h"
#include "warp/SampleExtentKernel.h"

namespace SampleExtentKernels {

SampleExtent Avx(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                 double singleSquared)
{
    const SampleExtent extent = SampleExtentRow::Row<HuxLanesAvx>(above, below, count, singleSquared);
    // Compiled under the pragma, GCC leaves the registers' upper halves in
    // use, and every SSE instruction after would wait on them.
    _mm256_zeroupper();
    return extent;
}

} // namespace SampleExtentKernels
#endif
