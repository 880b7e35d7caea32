// The row kernels of a render's sample extent (SampleExtentKernel.h), one
// per instruction set the build has, and the one this processor runs
// fastest.
#pragma once

#include "warp/SampleExtentKernel.h"

#include <vector>

namespace SampleExtentKernels {

#if defined(__SSE2__)
SampleExtent Sse2(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                  double singleSquared);
// Only where HuxCpuHasAvx.
SampleExtent Avx(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                 double singleSquared);
// Only where HuxCpuHasAvx512.
SampleExtent Avx512(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                    double singleSquared);
#endif

// Every kernel this processor can run, the baseline first; empty where the
// build has none (rows are then measured pixel by pixel).
std::vector<SampleExtentKernel> Available();
// The widest of them, or null.
SampleExtentKernel Chosen();

} // namespace SampleExtentKernels
