#include "warp/SampleExtentKernels.h"

#include "HuxLib/HUXUTIL/HuxCpuKernels.h"

std::vector<SampleExtentKernel> SampleExtentKernels::Available()
{
#if defined(__SSE2__)
    return HuxRunnableKernels<SampleExtentKernel>({Sse2}, Avx, Avx512);
#else
    return {};
#endif
}

SampleExtentKernel SampleExtentKernels::Chosen() { return HuxWidestKernel<SampleExtentKernel, Available>(); }
