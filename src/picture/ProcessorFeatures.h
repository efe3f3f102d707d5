// The instruction sets that code picks at run time: which of them the processor runs, and which
// one is in use. Plain declarations only: files built with wider instruction sets include this
// too.
#pragma once

// LUMBREL_X86 (defined by the build for x86 processors) marks the code for SSE2, the baseline of
// every x86 build; anything wider is used only where the processor has it.

// Each level holds every level before it. Code with loops for several levels runs its widest
// loops at or below the level in use.
enum class InstructionSet {
    Portable, // plain C++, for any processor
    Sse2,     // x86 builds only
    Ssse3,    // x86 builds on a processor that has it
    Avx2,     // the same, where the system also saves the wide registers
};

// The widest level this build can use on this processor: Portable in builds for other processors.
InstructionSet ProcessorInstructionSet();

// The level the code uses: ProcessorInstructionSet() unless a test or benchmark set another.
InstructionSet InstructionSetInUse();

// Sets the level in use, for the tests and benchmarks that run each level in turn; setting
// ProcessorInstructionSet() restores the default. Returns false, changing nothing, for a level
// the processor cannot run.
bool SetInstructionSet(InstructionSet level);
