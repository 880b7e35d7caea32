#include "HuxLib/HUXUTIL/HuxCpu.h"

bool HuxCpuHasAvx()
{
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    // The check covers the system's support too: it saves the wide
    // registers on a thread switch.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
#else
    return false;
#endif
}

bool HuxCpuHasAvx512()
{
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
#else
    return false;
#endif
}
