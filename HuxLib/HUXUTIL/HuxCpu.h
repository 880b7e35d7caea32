// What the processor offers beyond the baseline the program is built for
// (SSE2 on x86): the kernels with a wider variant choose it at run time.
#pragma once

// True where the processor and the system run AVX instructions.
bool HuxCpuHasAvx();

// True where the processor and the system run AVX-512 F and DQ.
bool HuxCpuHasAvx512();
