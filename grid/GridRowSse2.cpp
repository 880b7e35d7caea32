// The row kernel on SSE2, the baseline of every x86 build: two points at a
// time.
#include "grid/GridRowSolvers.h"

#if defined(__SSE2__)
#include "HuxLib/HUXUTIL/HuxLanesSse2.h"

GridRowRun GridRowSolvers::Sse2(const GridRowCell& cell, const double* xs, int32_t count, double* out)
{
    return GridRowKernel::Solve<HuxLanesSse2>(cell, xs, count, out);
}
#endif
