#include "warp/ScaledPointRow.h"

#include "HuxLib/HUXUTIL/HuxCpuKernels.h"

namespace {

// One coordinate at a time: the form every other must equal.
void Plain(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
           HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset)
{
    for (int32_t k = 0; k < count; ++k) {
        HuxGeometry::HuxPoint2D& p = points[k];
        p = {factor.x * (p.x / divisor.x) + offset.x, factor.y * (p.y / divisor.y) + offset.y};
    }
}

} // namespace

std::vector<PointRowScaler> ScaledPointRows::Available()
{
#if defined(__SSE2__)
    return HuxRunnableKernels<PointRowScaler>({Plain, Sse2}, Avx, Avx512);
#else
    return {Plain};
#endif
}

void ScalePointRow(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
                   HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset)
{
    HuxWidestKernel<PointRowScaler, ScaledPointRows::Available>()(points, count, divisor, factor, offset);
}
