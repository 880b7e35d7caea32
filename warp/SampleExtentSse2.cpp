// The sample extent's row kernel on SSE2, the baseline of every x86 build:
// one pixel at a time.
#include "warp/SampleExtentKernels.h"

#if defined(__SSE2__)
#include "HuxLib/HUXUTIL/HuxLanesSse2.h"

SampleExtent SampleExtentKernels::Sse2(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below,
                                       int32_t count, double singleSquared)
{
    return SampleExtentRow::Row<HuxLanesSse2>(above, below, count, singleSquared);
}
#endif
