// Grid positions returned to pixels a row at a time (ScaledPointRowKernel.h),
// on the widest instruction set the processor has.
#pragma once

#include "warp/ScaledPointRowKernel.h"

#include <vector>

namespace ScaledPointRows {

#if defined(__SSE2__)
void Sse2(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
          HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset);
// Only where HuxCpuHasAvx.
void Avx(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
         HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset);
// Only where HuxCpuHasAvx512.
void Avx512(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
            HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset);
#endif

// Every form this processor can run, the plain one first.
std::vector<PointRowScaler> Available();

} // namespace ScaledPointRows

// Scales the row through the widest of them.
void ScalePointRow(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
                   HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset);
