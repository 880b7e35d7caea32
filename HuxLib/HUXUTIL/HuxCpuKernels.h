// Choosing among the forms of a vector kernel: every form the processor
// runs, narrowest first, and the widest of them, chosen once.
#pragma once

#include "HuxLib/HUXUTIL/HuxCpu.h"

#include <vector>

// `baseline` (what every processor of the build runs), then `avx` where
// HuxCpuHasAvx, then `avx512` where HuxCpuHasAvx512.
template <class Kernel>
std::vector<Kernel> HuxRunnableKernels(std::vector<Kernel> baseline, Kernel avx, Kernel avx512)
{
    if (HuxCpuHasAvx())
        baseline.push_back(avx);
    if (HuxCpuHasAvx512())
        baseline.push_back(avx512);
    return baseline;
}

// The last of what `available` lists, or null where it lists none.
template <class Kernel, std::vector<Kernel> (*available)()>
Kernel HuxWidestKernel()
{
    static const Kernel widest = [] {
        const std::vector<Kernel> kernels = available();
        return kernels.empty() ? nullptr : kernels.back();
    }();
    return widest;
}
