// The row scaling on SSE2: one point at a time.
#if defined(__SSE2__)
#include "HuxLib/HUXUTIL/HuxLanesSse2.h"
#include "warp/ScaledPointRow.h"

void ScaledPointRows::Sse2(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
                           HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset)
{
    ScaledPointRowKernel::Scale<HuxLanesSse2>(points, count, divisor, factor, offset);
}
#endif
