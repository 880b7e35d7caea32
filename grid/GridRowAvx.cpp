// The row kernel on AVX: four points at a time. Everything in this file is
// compiled for AVX, so it includes nothing but the kernel and its lanes.
#if defined(__SSE2__)
#pragma GCC target("avx")

#include "HuxLib/HUXUTIL/HuxLanesAvx.h"
#include "grid/GridRowKernel.h"

namespace GridRowSolvers {

GridRowRun Avx(const GridRowCell& cell, const double* xs, int32_t count, double* out)
{
    const GridRowRun run = GridRowKernel::Solve<HuxLanesAvx>(cell, xs, count, out);
    // Compiled under the pragma, GCC leaves the registers' upper halves in
    // use, and every SSE instruction after would wait on them.
    _mm256_zeroupper();
    return run;
}

} // namespace GridRowSolvers
#endif
