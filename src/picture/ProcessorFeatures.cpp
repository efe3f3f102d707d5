// Which instruction sets the processor runs, read once: through MSVC's intrinsics (clang-cl's
// too) or through the GCC and clang built-ins; and the level in use.
#include "picture/ProcessorFeatures.h"

#include <atomic>

#if defined(LUMBREL_X86) && defined(_MSC_VER)
#include <immintrin.h>
#include <intrin.h>
#endif

namespace {

#if !defined(LUMBREL_X86)
InstructionSet DetectInstructionSet()
{
    return InstructionSet::Portable;
}
#elif defined(_MSC_VER)
// The levels are nested, so the widest whose features the processor reports is the answer.
InstructionSet DetectInstructionSet()
{
    constexpr int kSsse3 = 1 << 9;       // leaf 1, ecx
    constexpr int kOsXsave = 1 << 27;    // leaf 1, ecx: the system manages the wide registers
    constexpr int kAvx = 1 << 28;        // leaf 1, ecx
    constexpr int kAvx2 = 1 << 5;        // leaf 7, ebx
    constexpr unsigned kSavesXmmYmm = 6; // XCR0: the system saves the SSE and AVX state
    int regs[4];                         // eax, ebx, ecx, edx
    __cpuid(regs, 0);
    const int highestLeaf = regs[0];
    __cpuid(regs, 1);
    if ((regs[2] & kSsse3) == 0)
        return InstructionSet::Sse2;
    if (highestLeaf < 7 || (regs[2] & kOsXsave) == 0 || (regs[2] & kAvx) == 0 ||
        (_xgetbv(0) & kSavesXmmYmm) != kSavesXmmYmm)
        return InstructionSet::Ssse3;
    __cpuidex(regs, 7, 0);
    return (regs[1] & kAvx2) != 0 ? InstructionSet::Avx2 : InstructionSet::Ssse3;
}
#else
// The compiler's run-time library reads the processor's features (AVX2 only where the system
// saves the wide registers). The levels are nested, so the widest it reports is the answer.
InstructionSet DetectInstructionSet()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") != 0)
        return InstructionSet::Avx2;
    if (__builtin_cpu_supports("ssse3") != 0)
        return InstructionSet::Ssse3;
    return InstructionSet::Sse2;
}
#endif

std::atomic<InstructionSet>& LevelInUse()
{
    static std::atomic<InstructionSet> level{ProcessorInstructionSet()};
    return level;
}

} // namespace

InstructionSet ProcessorInstructionSet()
{
    static const InstructionSet widest = DetectInstructionSet();
    return widest;
}

InstructionSet InstructionSetInUse()
{
    return LevelInUse();
}

bool SetInstructionSet(InstructionSet level)
{
    if (level > ProcessorInstructionSet())
        return false;
    LevelInUse() = level;
    return true;
}
