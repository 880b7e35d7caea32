#include "warp/SampleExtentKernels.h"

#include "HuxLib/HUXUTIL/HuxCpu.h"

std::vector<SampleExtentKernel> SampleExtentKernels::Available()
{
    std::vector<SampleExtentKernel> kernels;
#if defined(__SSE2__)
    kernels.push_back(Sse2);
    if (HuxCpuHasAvx())
        kernels.push_back(Avx);
#endif
    return kernels;
}

SampleExtentKernel SampleExtentKernels::Chosen()
{
    static const SampleExtentKernel chosen = [] {
        const std::vector<SampleExtentKernel> kernels = Available();
        return kernels.empty() ? nullptr : kernels.back();
    }();
    return chosen;
}
