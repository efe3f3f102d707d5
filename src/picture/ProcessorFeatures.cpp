#include "picture/ProcessorFeatures.h"

bool ProcessorHasSsse3()
{
#ifdef LUMBREL_X86
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
#else
    return false;
#endif
}

bool ProcessorHasAvx2()
{
#ifdef LUMBREL_X86
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
#else
    return false;
#endif
}
