#include "grid/GridRowSolvers.h"

#include "HuxLib/HUXUTIL/HuxCpuKernels.h"

std::vector<GridRowSolver> GridRowSolvers::Available()
{
#if defined(__SSE2__)
    return HuxRunnableKernels<GridRowSolver>({Sse2}, Avx, Avx512);
#else
    return {};
#endif
}

GridRowSolver GridRowSolvers::Chosen() { return HuxWidestKernel<GridRowSolver, Available>(); }
