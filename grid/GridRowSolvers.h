// The row kernels of the inverse lookup (GridRowKernel.h), one per
// instruction set the build has, and the one this processor runs fastest.
#pragma once

#include "grid/GridRowKernel.h"

#include <vector>

namespace GridRowSolvers {

#if defined(__SSE2__)
GridRowRun Sse2(const GridRowCell& cell, const double* xs, int32_t count, double* out);
// Only where HuxCpuHasAvx.
GridRowRun Avx(const GridRowCell& cell, const double* xs, int32_t count, double* out);
// Only where HuxCpuHasAvx512.
GridRowRun Avx512(const GridRowCell& cell, const double* xs, int32_t count, double* out);
#endif

// Every kernel this processor can run, the baseline first; empty where the
// build has none (every point is then looked up alone).
std::vector<GridRowSolver> Available();
// The widest of them, or null.
GridRowSolver Chosen();

} // namespace GridRowSolvers
