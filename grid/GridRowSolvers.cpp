#include "grid/GridRowSolvers.h"

#include "HuxLib/HUXUTIL/HuxCpu.h"

std::vector<GridRowSolver> GridRowSolvers::Available()
{
    std::vector<GridRowSolver> solvers;
#if defined(__SSE2__)
    solvers.push_back(Sse2);
    if (HuxCpuHasAvx())
        solvers.push_back(Avx);
#endif
    return solvers;
}

GridRowSolver GridRowSolvers::Chosen()
{
    static const GridRowSolver chosen = [] {
        const std::vector<GridRowSolver> solvers = Available();
        return solvers.empty() ? nullptr : solvers.back();
    }();
    return chosen;
}
