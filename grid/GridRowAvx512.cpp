// The row kernel on AVX-512: eight points at a time. Everything in this
// file is compiled for AVX-512, so it includes nothing but the kernel and
// its lanes.
#if defined(__SSE2__)
#pragma GCC target("avx512f,avx512dq")

#include "HuxLib/HUXUTIL/HuxLanesAvx512.h"
#include "grid/GridRowKernel.h"

namespace GridRowSolvers {

GridRowRun Avx512(const GridRowCell& cell, const double* xs, int32_t count, double* out)
{
    const GridRowRun run = GridRowKernel::Solve<HuxLanesAvx512>(cell, xs, count, out);
    // See GridRowAvx.cpp.
    _mm256_zeroupper();
    return run;
}

} // namespace GridRowSolvers
#endif
